// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PENDINGSHUTDOWNWATCH_H
#define PENDINGSHUTDOWNWATCH_H

#include "program/queuedcheck.h"

#include <QObject>
#include <QPointer>
#include <functional>

class CountdownWindow;
class SchedulerWindow;
struct Platform;

// Keeps a pending shutdown within the user's reach, and the computer awake for it. While a
// schedule or the final count runs, idle sleep is held off; the notification area shows an
// icon with the time left, whose click or "显示" shows the scheduler and whose "取消关机" ends
// the schedule and the count; where the desktop has no notification area, the scheduler stays
// in the taskbar once no other window is visible; and a later start of the program shows the
// scheduler. All of it ends with the schedule and the count.
//
// One copy of the program per user session holds a pending shutdown: a schedule started while
// another copy holds one ends at once, and that copy shows its scheduler instead.
class PendingShutdownWatch : public QObject
{
    Q_OBJECT

public:
    // showScheduler shows the scheduler, creating it when it does not exist. Calls any copy
    // of the program that holds a pending shutdown already.
    PendingShutdownWatch(Platform &platform, std::function<void()> showScheduler,
                         QObject *parent = nullptr);
    ~PendingShutdownWatch() override;

    void watch(SchedulerWindow *window);
    void watch(CountdownWindow *window);

    // A schedule or the final count runs.
    bool isOn() const;

    // Has another copy that holds a pending shutdown show its scheduler, where this copy holds
    // none; this copy's idle scheduler goes then. False when no other copy was reached.
    bool showOtherCopysScheduler();

public Q_SLOTS:
    // Ends the schedule and the count, as their windows' own buttons do.
    void cancelShutdown();

private:
    void update();
    void showTimeLeft();
    void switchOn(bool on);
    void keepInTaskbar();
    QString timeLeft() const;

    Platform &m_platform;
    std::function<void()> m_showScheduler;
    QPointer<SchedulerWindow> m_scheduler;
    QPointer<CountdownWindow> m_countdown;
    bool m_on = false;
    bool m_iconShown = false;
    // After the handler at work: a schedule that falls due stops just before the final count
    // starts, and nothing should go off and on again between the two.
    QueuedCheck *m_update;
};

#endif // PENDINGSHUTDOWNWATCH_H
