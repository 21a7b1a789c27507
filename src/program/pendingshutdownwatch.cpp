// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/pendingshutdownwatch.h"

#include "core/schedule.h"
#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "platform/sleepinhibitor.h"
#include "platform/trayandtaskbar.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"

#include <QApplication>
#include <algorithm>

PendingShutdownWatch::PendingShutdownWatch(Platform &platform, std::function<void()> showScheduler,
                                           QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_showScheduler(std::move(showScheduler))
    , m_update(new QueuedCheck([this] { update(); }, this))
{
    m_platform.trayAndTaskbar.setTrayCommands(m_showScheduler, [this] { cancelShutdown(); });
    m_platform.singleInstance.call();
}

PendingShutdownWatch::~PendingShutdownWatch()
{
    switchOn(false);
}

void PendingShutdownWatch::watch(SchedulerWindow *window)
{
    m_scheduler = window;
    connect(window, &SchedulerWindow::runningChanged, m_update, &QueuedCheck::checkLater);
    // The time left, on every tick.
    connect(window, &QWidget::windowTitleChanged, this, &PendingShutdownWatch::showTimeLeft);
    connect(window, &QObject::destroyed, m_update, &QueuedCheck::checkLater);
}

void PendingShutdownWatch::watch(CountdownWindow *window)
{
    m_countdown = window;
    connect(window, &CountdownWindow::runningChanged, m_update, &QueuedCheck::checkLater);
    connect(window, &CountdownWindow::secondsLeftChanged, this,
            &PendingShutdownWatch::showTimeLeft);
    connect(window, &QObject::destroyed, m_update, &QueuedCheck::checkLater);
}

bool PendingShutdownWatch::isOn() const
{
    return (m_scheduler && m_scheduler->isRunning()) || (m_countdown && m_countdown->isRunning());
}

bool PendingShutdownWatch::showOtherCopysScheduler()
{
    if (isOn() || !m_platform.singleInstance.call())
        return false;
    if (m_scheduler)
        m_scheduler->close();
    return true;
}

void PendingShutdownWatch::cancelShutdown()
{
    if (m_countdown && m_countdown->isRunning())
        m_countdown->cancel();
    // The scheduler's frame ends a schedule by discarding the window.
    if (m_scheduler && m_scheduler->isRunning())
        m_scheduler->close();
}

void PendingShutdownWatch::update()
{
    switchOn(isOn());
    if (!m_on)
        return;
    // Asked here rather than on every tick: the question can take a call over the session bus.
    m_iconShown = m_platform.trayAndTaskbar.hasTray();
    if (m_iconShown) {
        showTimeLeft();
    } else {
        m_platform.trayAndTaskbar.hideTrayIcon();
        keepInTaskbar();
    }
}

void PendingShutdownWatch::showTimeLeft()
{
    if (m_on && m_iconShown)
        m_platform.trayAndTaskbar.showTrayIcon(timeLeft());
}

void PendingShutdownWatch::switchOn(bool on)
{
    if (on == m_on)
        return;
    if (on && !m_platform.singleInstance.listen(m_showScheduler)) {
        // Another copy holds a pending shutdown: it is the one shown.
        m_platform.singleInstance.call();
        cancelShutdown();
        return;
    }
    m_on = on;
    if (on) {
        m_platform.sleepInhibitor.hold();
        // Every window hidden might leave the scheduler the last one in reach.
        m_update->watch(qApp);
    } else {
        m_update->unwatch(qApp);
        m_platform.singleInstance.stopListening();
        m_platform.trayAndTaskbar.hideTrayIcon();
        m_iconShown = false;
        m_platform.sleepInhibitor.release();
    }
}

// Without a notification area, the scheduler is the way back: it stays in the taskbar,
// minimised, once no other window is visible.
void PendingShutdownWatch::keepInTaskbar()
{
    if (!m_scheduler || m_scheduler->isVisible())
        return;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool othersVisible = std::any_of(windows.begin(), windows.end(), [](QWidget *window) {
        const Qt::WindowType type = window->windowType();
        return window->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
    });
    if (!othersVisible)
        m_scheduler->showMinimized();
}

QString PendingShutdownWatch::timeLeft() const
{
    // The scheduler's caption stands at 0:0:0 once the final count runs.
    if (m_countdown && m_countdown->isRunning())
        return timeLeftCaption(m_countdown->secondsLeft());
    return m_scheduler ? m_scheduler->windowTitle() : QString();
}
