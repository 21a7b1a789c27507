// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/schedule.h"

#include "core/numbertext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 secondsPerDay = 86400;
constexpr qint64 intMin = std::numeric_limits<int>::min();
constexpr qint64 intMax = std::numeric_limits<int>::max();

bool fitsInt(qint64 value)
{
    return value >= intMin && value <= intMax;
}

bool fitsInt(double value)
{
    // Written so that NaN fails as well.
    return value >= double(intMin) && value <= double(intMax);
}

qint64 secondsOfDay(const QTime &time)
{
    return time.msecsSinceStartOfDay() / 1000;
}

// The entries as a number of seconds. Nothing when an entry is not a number or when its part
// alone (hours × 3600, minutes × 60, seconds) leaves the 32-bit range; the parts that remain
// add up exactly.
std::optional<qint64> totalSeconds(const TimeEntries &entries, const QLocale &locale)
{
    const std::optional<double> parts[] = { readEntry(entries.hours, locale),
                                            readEntry(entries.minutes, locale),
                                            readEntry(entries.seconds, locale) };
    const int weights[] = { 3600, 60, 1 };
    qint64 total = 0;
    for (int i = 0; i < 3; ++i) {
        if (!parts[i])
            return std::nullopt;
        const double part = *parts[i] * weights[i];
        if (!fitsInt(part))
            return std::nullopt;
        total += qint64(part);
    }
    return total;
}

} // namespace

std::optional<double> readEntry(const QString &text, const QLocale &locale)
{
    if (text.isEmpty())
        return 0.0;
    const std::optional<double> value = parseFiniteNumber(text, locale);
    if (!value)
        return std::nullopt;
    return std::floor(*value);
}

int nowSeconds(const QDateTime &now, const QDate &scheduleDate)
{
    const qint64 seconds =
            scheduleDate.daysTo(now.date()) * secondsPerDay + secondsOfDay(now.time());
    return int(std::clamp(seconds, intMin, intMax));
}

ScheduleStart scheduleClockTime(const TimeEntries &entries, const QDateTime &now,
                                const QLocale &locale)
{
    ScheduleStart start;
    const std::optional<qint64> total = totalSeconds(entries, locale);
    if (!total)
        return start;
    const qint64 current = secondsOfDay(now.time());
    qint64 target = *total;
    // A time equal to the current second stays on today.
    if (target < current)
        target += secondsPerDay;
    // Negative hours can name a moment that has passed even tomorrow: no clock shows it.
    if (target < current || !fitsInt(target))
        return start;

    start.outcome = ScheduleStart::Started;
    start.schedule = { Schedule::ClockTime, int(target), now.date() };
    // The entries as they stand, not the numbers read from them.
    start.targetText = QStringLiteral("关机时间：") + entries.hours + u'时' + entries.minutes
            + u'分' + entries.seconds + u'秒';
    return start;
}

ScheduleStart scheduleCountdown(const TimeEntries &entries, const QDateTime &now, qint64 elapsed,
                                const QLocale &locale)
{
    ScheduleStart start;
    if (entries.hours.isEmpty() && entries.minutes.isEmpty() && entries.seconds.isEmpty()) {
        start.outcome = ScheduleStart::EmptyCountdown;
        return start;
    }
    const std::optional<qint64> total = totalSeconds(entries, locale);
    if (!total || *total <= 0)
        return start;
    const qint64 target = *total + secondsOfDay(now.time());
    if (!fitsInt(target))
        return start;

    start.outcome = ScheduleStart::Started;
    start.schedule = { Schedule::Countdown, int(target), now.date(), elapsed, int(*total) };
    start.targetText = countdownTargetText(start.schedule);
    return start;
}

QString countdownTargetText(const Schedule &schedule)
{
    const int target = schedule.targetSeconds;
    int hours = target / 3600;
    const int minutes = (target - hours * 3600) / 60;
    const int seconds = target - hours * 3600 - minutes * 60;

    QString day;
    if (hours >= 24) {
        const int days = hours / 24;
        hours -= days * 24;
        day = QString::number(schedule.scheduleDate.addDays(days).day()) + u'号';
    }
    return QStringLiteral("关机时间：") + day + QString::number(hours) + u'时'
            + QString::number(minutes) + u'分' + QString::number(seconds) + u'秒';
}

QString timeLeftCaption(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds - hours * 3600) / 60;
    return QString::number(hours) + u':' + QString::number(minutes) + u':'
            + QString::number(seconds - hours * 3600 - minutes * 60) + QStringLiteral("后关机");
}

ScheduleTick scheduleTick(const Schedule &schedule, const QDateTime &now, qint64 elapsed)
{
    const qint64 left = schedule.kind == Schedule::Countdown
            ? schedule.lengthSeconds - (elapsed - schedule.startedAt) / 1000
            : qint64(schedule.targetSeconds) - nowSeconds(now, schedule.scheduleDate);
    ScheduleTick tick;
    tick.due = left <= 0;

    // A late tick would leave a negative rest; the window shows none after the trigger.
    const qint64 remaining = std::max<qint64>(left, 0);
    const qint64 hours = remaining / 3600;
    const qint64 minutes = (remaining - hours * 3600) / 60;
    const qint64 seconds = remaining - hours * 3600 - minutes * 60;

    tick.systemTimeText =
            QStringLiteral("系统时间：") + now.time().toString(QStringLiteral("hh时mm分ss秒"));
    tick.secondsText = QStringLiteral("距离关机时间秒数：") + QString::number(remaining) + u'秒';
    tick.remainingText = QStringLiteral("距离关机时间还剩：") + QString::number(hours)
            + QStringLiteral("小时") + QString::number(minutes) + u'分' + QString::number(seconds)
            + u'秒';
    tick.caption = timeLeftCaption(remaining);
    return tick;
}
