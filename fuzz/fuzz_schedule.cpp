// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Any three entries, started as a clock time and as a countdown at any second of any day, then
// ticked after any time has passed and the clock has been set by any amount: a start is refused
// exactly when an entry is not a number, a part alone or the target or the seconds to it leave
// the 32-bit range, or a countdown is not ahead. A clock time lies at the entries' time of day
// today or tomorrow and follows the clock; a countdown lies exactly the entries' seconds ahead
// and follows the time passed alone. Every line of a tick tells the same seconds left.

#include "core/numbertext.h"
#include "core/schedule.h"
#include "fuzzinput.h"

#include <QRegularExpression>
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

// The seconds of the entries, when every entry is a number and each part alone fits 32 bits.
std::optional<qint64> entrySeconds(const TimeEntries &entries, const QLocale &locale)
{
    const QString texts[] = { entries.hours, entries.minutes, entries.seconds };
    const double weights[] = { 3600, 60, 1 };
    std::optional<qint64> total = 0;
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> value = readEntry(texts[i], locale);
        const QString where = QStringLiteral("entry \"%1\"").arg(texts[i]);
        FUZZ_CHECK(value.has_value() == (texts[i].isEmpty() || parseFiniteNumber(texts[i], locale)),
                   where);
        FUZZ_CHECK(!value || (*value == std::floor(*value) && (!texts[i].isEmpty() || *value == 0)),
                   where);
        const double part = value.value_or(qQNaN()) * weights[i];
        if (total && part >= double(intMin) && part <= double(intMax))
            *total += qint64(part);
        else
            total.reset();
    }
    return total;
}

// The seconds left that a tick shows, once its lines are checked to agree.
qint64 checkTick(const ScheduleTick &tick, const QDateTime &now, const QString &where)
{
    static const QRegularExpression lines(QStringLiteral(
            "^距离关机时间秒数：(0|[1-9][0-9]*)秒 距离关机时间还剩：(0|[1-9][0-9]*)"
            "小时([1-5]?[0-9])分([1-5]?[0-9])秒 (0|[1-9][0-9]*):([1-5]?[0-9]):([1-5]?["
            "0-9])后关机$"));
    const QString shown = tick.secondsText + u' ' + tick.remainingText + u' ' + tick.caption;
    const QRegularExpressionMatch match = lines.match(shown);
    FUZZ_CHECK(match.hasMatch(), where + u' ' + shown);
    const qint64 remaining = match.captured(1).toLongLong();
    FUZZ_CHECK(match.captured(2).toLongLong() * 3600 + match.captured(3).toLongLong() * 60
                               + match.captured(4).toLongLong()
                       == remaining,
               where + u' ' + shown);
    for (int i = 2; i <= 4; ++i)
        FUZZ_CHECK(match.captured(i) == match.captured(i + 3), where + u' ' + shown);
    FUZZ_CHECK(tick.due == (remaining == 0), where + u' ' + shown);
    FUZZ_CHECK(tick.systemTimeText == now.toString(QStringLiteral("系统时间：HH时mm分ss秒")),
               where);
    return remaining;
}

struct Moment
{
    QDateTime now;
    qint64 elapsed;
};

void checkClockTime(const TimeEntries &entries, const Moment &start, const Moment &tick,
                    const QLocale &locale, const QString &where)
{
    const ScheduleStart started = scheduleClockTime(entries, start.now, locale);
    const std::optional<qint64> total = entrySeconds(entries, locale);
    const qint64 current = start.now.time().msecsSinceStartOfDay() / 1000;
    const qint64 target = total ? (*total < current ? *total + secondsPerDay : *total) : 0;
    const bool valid = total && target >= current && fitsInt(target) && fitsInt(target - current);
    FUZZ_CHECK((started.outcome == ScheduleStart::Started) == valid, where);
    if (!valid)
        return;
    FUZZ_CHECK(started.schedule.targetSeconds == target
                       && started.targetText
                               == QStringLiteral("关机时间：%1时%2分%3秒")
                                          .arg(entries.hours, entries.minutes, entries.seconds),
               where);
    const qint64 moment = start.now.date().daysTo(tick.now.date()) * secondsPerDay
            + tick.now.time().msecsSinceStartOfDay() / 1000;
    const qint64 remaining =
            checkTick(scheduleTick(started.schedule, tick.now, tick.elapsed), tick.now, where);
    FUZZ_CHECK(remaining == std::max<qint64>(target - std::clamp(moment, intMin, intMax), 0),
               where);
}

void checkCountdown(const TimeEntries &entries, const Moment &start, const Moment &tick,
                    const QLocale &locale, const QString &where)
{
    static const QRegularExpression targetLine(QStringLiteral(
            "^关机时间：(?:([1-9]|[12][0-9]|3[01])号)?(1?[0-9]|2[0-3])时([1-5]?[0-9])分([1-5]?["
            "0-9])秒$"));
    const ScheduleStart started = scheduleCountdown(entries, start.now, start.elapsed, locale);
    if (entries.hours.isEmpty() && entries.minutes.isEmpty() && entries.seconds.isEmpty()) {
        FUZZ_CHECK(started.outcome == ScheduleStart::EmptyCountdown, where);
        return;
    }
    const std::optional<qint64> total = entrySeconds(entries, locale);
    const qint64 current = start.now.time().msecsSinceStartOfDay() / 1000;
    const bool valid = total && *total > 0 && fitsInt(current + *total);
    FUZZ_CHECK((started.outcome == ScheduleStart::Started) == valid, where);
    if (!valid)
        return;
    const qint64 target = current + *total;
    const QRegularExpressionMatch line = targetLine.match(started.targetText);
    const QString shown = where + u' ' + started.targetText;
    FUZZ_CHECK(line.hasMatch(), shown);
    FUZZ_CHECK(line.captured(2).toInt() * 3600 + line.captured(3).toInt() * 60
                               + line.captured(4).toInt()
                       == target % secondsPerDay,
               shown);
    const qint64 laterDays = target / secondsPerDay;
    FUZZ_CHECK(laterDays > 0 ? line.captured(1).toInt() == start.now.date().addDays(laterDays).day()
                             : line.captured(1).isEmpty(),
               shown);
    const qint64 passed = (tick.elapsed - start.elapsed) / 1000;
    const qint64 remaining =
            checkTick(scheduleTick(started.schedule, tick.now, tick.elapsed), tick.now, where);
    FUZZ_CHECK(remaining == std::max<qint64>(*total - passed, 0), where);
}

} // namespace

// The input: the start as days from 6 December 2026 (int32) and the second of that day
// (uint32); the milliseconds that pass before the tick (uint32) and the seconds the clock is
// set by in between (int32); a byte whose lowest bit picks German settings; then the hours,
// minutes and seconds entries, one a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    static const QLocale german(QLocale::German, QLocale::Germany);

    const QDate day = QDate(2026, 12, 6).addDays(FuzzInput::take<qint32>(data, size) % (1 << 20));
    const QTime time = QTime::fromMSecsSinceStartOfDay(
            int(FuzzInput::take<quint32>(data, size) % 86400) * 1000);
    const Moment start { QDateTime(day, time, Qt::UTC), 1000000 };
    const quint32 passed = FuzzInput::take<quint32>(data, size);
    const qint32 step = FuzzInput::take<qint32>(data, size);
    const Moment tick { start.now.addMSecs(passed).addSecs(step), start.elapsed + passed };
    const QLocale &locale = FuzzInput::take<quint8>(data, size) & 1 ? german : chinese;

    QList<QString> texts = FuzzInput::lines(data, size);
    texts.resize(3);
    const TimeEntries entries { texts[0], texts[1], texts[2] };
    const QString where =
            QStringLiteral("entries \"%1\" \"%2\" \"%3\" from %4, tick at %5")
                    .arg(entries.hours, entries.minutes, entries.seconds,
                         start.now.toString(Qt::ISODate), tick.now.toString(Qt::ISODate));
    checkClockTime(entries, start, tick, locale, where);
    checkCountdown(entries, start, tick, locale, where);
    return 0;
}
