// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/quitrule.h"

#include <QEvent>
#include <QWidget>

QuitRule::QuitRule(std::function<void()> quit, QObject *parent)
    : QObject(parent), m_quit(std::move(quit))
{ }

void QuitRule::setMainWindow(QWidget *window)
{
    m_mainWindow = window;
    m_hadMainWindow = true;
    connect(window, &QObject::destroyed, this, &QuitRule::checkLater);
}

void QuitRule::watch(QWidget *window, Busy busy)
{
    m_windows.append({ window, std::move(busy) });
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, &QuitRule::checkLater);
}

bool QuitRule::canQuit() const
{
    if (!m_hadMainWindow || m_mainWindow)
        return false;
    for (const Watched &watched : m_windows) {
        if (!watched.window)
            continue;
        if (watched.window->isVisible() || (watched.busy && watched.busy()))
            return false;
    }
    return true;
}

void QuitRule::check()
{
    m_checkPending = false;
    m_windows.removeIf([](const Watched &watched) { return !watched.window; });
    if (m_quitRequested || !canQuit())
        return;
    m_quitRequested = true;
    m_quit();
}

bool QuitRule::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide)
        checkLater();
    return QObject::eventFilter(watched, event);
}

// After the handler that hid or discarded a window has finished, when every window it
// touched is in its final state.
void QuitRule::checkLater()
{
    if (m_checkPending)
        return;
    m_checkPending = true;
    QMetaObject::invokeMethod(this, &QuitRule::check, Qt::QueuedConnection);
}
