// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLICKABLELABEL_H
#define CLICKABLELABEL_H

#include <QLabel>

// A label that reacts to a left click, as a link does; it takes no keyboard focus.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#endif // CLICKABLELABEL_H
