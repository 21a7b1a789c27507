// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SCHEDULE_H
#define SCHEDULE_H

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

// The three entries of one way of setting the moment: hours, minutes, seconds, as typed.
struct TimeEntries
{
    QString hours;
    QString minutes;
    QString seconds;
};

// A running schedule. A clock time follows the date and time of the computer: its target is
// in seconds counted from the midnight that began scheduleDate, beyond 86400 on a later day. A
// countdown measures the time that has passed since it started, whatever happens to the date
// and time; its target is only shown.
struct Schedule
{
    enum Kind { ClockTime, Countdown };

    Kind kind = ClockTime;
    int targetSeconds = 0;
    QDate scheduleDate;
    // A countdown's start on the elapsed-time clock, in milliseconds, and its length.
    qint64 startedAt = 0;
    int lengthSeconds = 0;
};

struct ScheduleStart
{
    enum Outcome {
        Started,
        // All three countdown boxes are empty.
        EmptyCountdown,
        // Not a number, out of the 32-bit range, or a countdown of zero or less.
        InvalidTime,
    };

    Outcome outcome = InvalidTime;
    Schedule schedule;
    // The caption of the target line.
    QString targetText;
};

// What one tick shows, and whether the schedule is due.
struct ScheduleTick
{
    // The moment has reached or passed the target.
    bool due = false;
    QString systemTimeText;
    QString remainingText;
    QString secondsText;
    QString caption;
};

// An entry as a whole number: empty counts 0, any other text is rounded down
// ("7.9" gives 7, "-0.5" gives -1). Nothing when the text is not a number.
std::optional<double> readEntry(const QString &text, const QLocale &locale);

// The moment on a clock time's scale: the time of day plus 86400 for every midnight passed
// since scheduleDate, held within the 32-bit range.
int nowSeconds(const QDateTime &now, const QDate &scheduleDate);

// A schedule for the clock time in the entries: today, or tomorrow when that time of day
// has already passed.
ScheduleStart scheduleClockTime(const TimeEntries &entries, const QDateTime &now,
                                const QLocale &locale);

// A schedule that falls due after the entries' hours, minutes and seconds have passed,
// started at now and at the moment elapsed of the elapsed-time clock.
ScheduleStart scheduleCountdown(const TimeEntries &entries, const QDateTime &now, qint64 elapsed,
                                const QLocale &locale);

// The target of a countdown for display, with the day of the month once it lies on a later day.
QString countdownTargetText(const Schedule &schedule);

// The time left as the scheduler's caption shows it: "2:59:59后关机".
QString timeLeftCaption(qint64 seconds);

// The schedule at now, and at the moment elapsed of the elapsed-time clock.
ScheduleTick scheduleTick(const Schedule &schedule, const QDateTime &now, qint64 elapsed);

#endif // SCHEDULE_H
