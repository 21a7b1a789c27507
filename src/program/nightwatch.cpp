// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/nightwatch.h"

#include "platform/attention.h"
#include "platform/copychannel.h"
#include "platform/platform.h"
#include "platform/sleepinhibitor.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedule.h"
#include "shutdown/schedulerwindow.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>

NightWatch::NightWatch(Platform &platform, std::function<void()> showScheduler, QObject *parent)
    : QObject(parent), m_platform(platform), m_showScheduler(std::move(showScheduler))
{
    m_platform.attention.setTrayCommands(m_showScheduler, [this] { cancelShutdown(); });
    m_platform.copies.call();
}

NightWatch::~NightWatch()
{
    switchOn(false);
}

void NightWatch::watch(SchedulerWindow *window)
{
    m_scheduler = window;
    connect(window, &SchedulerWindow::runningChanged, this, &NightWatch::updateLater);
    // The time left, on every tick.
    connect(window, &QWidget::windowTitleChanged, this, &NightWatch::showTimeLeft);
    connect(window, &QObject::destroyed, this, &NightWatch::updateLater);
}

void NightWatch::watch(CountdownWindow *window)
{
    m_countdown = window;
    connect(window, &CountdownWindow::runningChanged, this, &NightWatch::updateLater);
    connect(window, &CountdownWindow::secondsLeftChanged, this, &NightWatch::showTimeLeft);
    connect(window, &QObject::destroyed, this, &NightWatch::updateLater);
}

bool NightWatch::isOn() const
{
    return (m_scheduler && m_scheduler->isRunning()) || (m_countdown && m_countdown->isRunning());
}

bool NightWatch::showOtherCopysScheduler()
{
    if (isOn() || !m_platform.copies.call())
        return false;
    if (m_scheduler)
        m_scheduler->close();
    return true;
}

void NightWatch::cancelShutdown()
{
    if (m_countdown && m_countdown->isRunning())
        m_countdown->cancel();
    // The scheduler's frame ends a schedule by discarding the window.
    if (m_scheduler && m_scheduler->isRunning())
        m_scheduler->close();
}

bool NightWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        updateLater();
    return QObject::eventFilter(watched, event);
}

// Once the handler at work has finished: a schedule that falls due stops just before the
// final count starts, and nothing should go off and on again between the two.
void NightWatch::updateLater()
{
    if (m_updatePending)
        return;
    m_updatePending = true;
    QMetaObject::invokeMethod(this, &NightWatch::update, Qt::QueuedConnection);
}

void NightWatch::update()
{
    m_updatePending = false;
    switchOn(isOn());
    if (!m_on)
        return;
    // Asked here rather than on every tick: the question can take a call over the session bus.
    m_iconShown = m_platform.attention.hasTray();
    if (m_iconShown) {
        showTimeLeft();
    } else {
        m_platform.attention.hideTrayIcon();
        keepInTaskbar();
    }
}

void NightWatch::showTimeLeft()
{
    if (m_on && m_iconShown)
        m_platform.attention.showTrayIcon(timeLeft());
}

void NightWatch::switchOn(bool on)
{
    if (on == m_on)
        return;
    if (on && !m_platform.copies.listen(m_showScheduler)) {
        // Another copy holds a pending shutdown: it is the one shown.
        m_platform.copies.call();
        cancelShutdown();
        return;
    }
    m_on = on;
    if (on) {
        m_platform.sleepInhibitor.hold();
        // Every window hidden might leave the scheduler the last one in reach.
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        m_platform.copies.stopListening();
        m_platform.attention.hideTrayIcon();
        m_iconShown = false;
        m_platform.sleepInhibitor.release();
    }
}

// Without a notification area, the scheduler is the way back: it stays in the taskbar,
// minimised, once no other window is visible.
void NightWatch::keepInTaskbar()
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

QString NightWatch::timeLeft() const
{
    // The scheduler's caption stands at 0:0:0 once the final count runs.
    if (m_countdown && m_countdown->isRunning())
        return timeLeftCaption(m_countdown->secondsLeft());
    return m_scheduler ? m_scheduler->windowTitle() : QString();
}
