// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/clickablelabel.h"

#include <QMouseEvent>
#include <QPointer>

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        // A handler may wait in a box while the window, and this label with it, is closed.
        const QPointer<ClickableLabel> alive(this);
        Q_EMIT clicked();
        if (!alive)
            return;
    }
    QLabel::mouseReleaseEvent(event);
}
