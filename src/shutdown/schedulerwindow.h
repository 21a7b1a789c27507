// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SCHEDULERWINDOW_H
#define SCHEDULERWINDOW_H

#include "core/schedule.h"

#include "widgets/tickingwindow.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Platform;

// Sets the moment of an automatic shutdown, by clock time or by countdown. While a schedule
// runs, a tick every second shows the system time and the time left, in the window and in its
// caption, and the first tick at or past the target disarms the schedule and reports it due.
// "关闭" only hides the window; a hidden schedule keeps running.
class SchedulerWindow : public TickingWindow
{
    Q_OBJECT

public:
    explicit SchedulerWindow(Platform &platform, QWidget *parent = nullptr);

public Q_SLOTS:
    void startClockTime();
    void startCountdown();
    void updateSchedule();

Q_SIGNALS:
    // The schedule has fallen due; it is no longer running.
    void scheduleDue();

private:
    void createLines();
    void createClockTimeFrame();
    void createCountdownFrame();
    bool acceptStart(const ScheduleStart &start);

    Platform &m_platform;
    Schedule m_schedule;
    QLabel *m_systemTimeLabel = nullptr;
    QLabel *m_targetLabel = nullptr;
    QLabel *m_remainingLabel = nullptr;
    QLabel *m_secondsLabel = nullptr;
    std::array<QComboBox *, 3> m_clockEntries {};
    std::array<QLineEdit *, 3> m_countdownEntries {};
    QPushButton *m_clockStartButton = nullptr;
    QPushButton *m_countdownStartButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

#endif // SCHEDULERWINDOW_H
