// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/quantitykeyfilter.h"

#include "core/quantitykey.h"

#include <QKeyEvent>

bool QuantityKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);

    auto *key = static_cast<QKeyEvent *>(event);
    // Keys that type no character (arrows, Home, End, Delete) and Tab keep their usual effect.
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty())
        return false;

    const QList<uint> codes = text.toUcs4();
    bool cancel = false;
    for (const uint code : codes) {
        switch (quantityKeyAction(code)) {
        case QuantityKeyAction::Insert:
            break;
        case QuantityKeyAction::Clear:
            Q_EMIT clearRequested();
            cancel = true;
            break;
        case QuantityKeyAction::Cancel:
            cancel = true;
            break;
        }
    }
    return cancel;
}
