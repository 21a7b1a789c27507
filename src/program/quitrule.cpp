// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/quitrule.h"

#include <QWidget>

QuitRule::QuitRule(std::function<void()> quit, QObject *parent)
    : QObject(parent), m_quit(std::move(quit)), m_check(new QueuedCheck([this] { check(); }, this))
{ }

void QuitRule::setMainWindow(QWidget *window)
{
    m_mainWindow = window;
    m_hadMainWindow = true;
    m_check->watch(window);
}

void QuitRule::watch(QWidget *window, Busy busy)
{
    m_windows.append({ window, std::move(busy) });
    m_check->watch(window);
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
    m_windows.removeIf([](const Watched &watched) { return !watched.window; });
    if (m_quitRequested || !canQuit())
        return;
    m_quitRequested = true;
    m_quit();
}
