// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/queuedcheck.h"

#include <QEvent>
#include <QWidget>

QueuedCheck::QueuedCheck(std::function<void()> check, QObject *parent)
    : QObject(parent), m_check(std::move(check))
{ }

void QueuedCheck::checkLater()
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
            this,
            [this] {
                m_pending = false;
                m_check();
            },
            Qt::QueuedConnection);
}

void QueuedCheck::watch(QObject *window)
{
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, &QueuedCheck::checkLater, Qt::UniqueConnection);
}

void QueuedCheck::unwatch(QObject *window)
{
    window->removeEventFilter(this);
    disconnect(window, &QObject::destroyed, this, &QueuedCheck::checkLater);
}

bool QueuedCheck::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        checkLater();
    return QObject::eventFilter(watched, event);
}
