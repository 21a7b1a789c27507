// Any schedule ticked at any moment and again some seconds later: the seconds left are never
// negative, are the target less the moment while the moment fits the 32-bit scale, shrink by
// exactly the seconds passed, and reach 0 exactly when the schedule is due. Every line and the
// caption hold plain decimals that agree with each other. The final count's message tells the
// seconds left in plain decimal at every position of the bar.

#include "fuzzinput.h"
#include "shutdown/countdowntext.h"
#include "shutdown/schedule.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace {

constexpr qint64 secondsPerDay = 86400;
constexpr qint64 intMin = std::numeric_limits<int>::min();
constexpr qint64 intMax = std::numeric_limits<int>::max();

// Days from the fuzzer, within about ±2,800 years.
qint64 foldDays(qint32 days)
{
    return days % (1 << 20);
}

// The seconds left that the tick shows, after checking that its texts agree.
qint64 checkTick(const Schedule &schedule, const QDateTime &now)
{
    static const QString number = QStringLiteral("(0|[1-9][0-9]*)");
    static const QString sixty = QStringLiteral("([1-5]?[0-9])");
    static const QRegularExpression secondsLine(
            QStringLiteral("^距离关机时间秒数：%1秒$").arg(number));
    static const QRegularExpression remainingLine(
            QStringLiteral("^距离关机时间还剩：%1小时%2分%2秒$").arg(number, sixty));
    static const QRegularExpression caption(QStringLiteral("^%1:%2:%2后关机$").arg(number, sixty));

    const ScheduleTick tick = scheduleTick(schedule, now);
    const QString where =
            QStringLiteral("target %1 from %2, at %3: %4 | %5 | %6 | %7")
                    .arg(schedule.targetSeconds)
                    .arg(schedule.scheduleDate.toString(Qt::ISODate), now.toString(Qt::ISODate),
                         tick.secondsText, tick.remainingText, tick.caption, tick.systemTimeText);

    const QRegularExpressionMatch seconds = secondsLine.match(tick.secondsText);
    const QRegularExpressionMatch parts = remainingLine.match(tick.remainingText);
    const QRegularExpressionMatch title = caption.match(tick.caption);
    FUZZ_CHECK(seconds.hasMatch() && parts.hasMatch() && title.hasMatch(), where);
    const qint64 remaining = seconds.captured(1).toLongLong();
    FUZZ_CHECK(parts.captured(1).toLongLong() * 3600 + parts.captured(2).toLongLong() * 60
                               + parts.captured(3).toLongLong()
                       == remaining,
               where);
    for (int i = 1; i <= 3; ++i)
        FUZZ_CHECK(title.captured(i) == parts.captured(i), where);
    FUZZ_CHECK(tick.due == (remaining == 0), where);

    const QTime time = now.time();
    FUZZ_CHECK(tick.systemTimeText
                       == QString::asprintf("系统时间：%02d时%02d分%02d秒", time.hour(),
                                            time.minute(), time.second()),
               where);

    const qint64 moment = schedule.scheduleDate.daysTo(now.date()) * secondsPerDay
            + time.msecsSinceStartOfDay() / 1000;
    // The moment is held within the 32-bit range.
    FUZZ_CHECK(tick.nowSeconds == std::clamp(moment, intMin, intMax), where);
    FUZZ_CHECK(remaining == std::max<qint64>(qint64(schedule.targetSeconds) - tick.nowSeconds, 0),
               where);
    return remaining;
}

void checkCountdownMessage(int position)
{
    static const QRegularExpression message(
            QStringLiteral("^您设置的时间已到,计算机将于(10|[0-9])秒后关闭$"));
    const QString text = countdownMessage(position);
    const QRegularExpressionMatch match = message.match(text);
    FUZZ_CHECK(match.hasMatch() && match.captured(1).toInt() == countdownLength - position, text);
}

} // namespace

// The input: the target (int32), the schedule day and the day of the first tick as days from
// 6 December 2026 (int32 each), the second of that day and the seconds to the second tick
// (uint32 each), the position of the final count's bar (one byte).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QDate reference(2026, 12, 6);
    Schedule schedule;
    schedule.targetSeconds = FuzzInput::take<qint32>(data, size);
    schedule.scheduleDate = reference.addDays(foldDays(FuzzInput::take<qint32>(data, size)));
    const QDate day = reference.addDays(foldDays(FuzzInput::take<qint32>(data, size)));
    const QTime time = QTime::fromMSecsSinceStartOfDay(
            int(FuzzInput::take<quint32>(data, size) % 86400) * 1000);
    const quint32 wait = FuzzInput::take<quint32>(data, size);

    const QDateTime first(day, time, Qt::UTC);
    const qint64 before = checkTick(schedule, first);
    const qint64 after = checkTick(schedule, first.addSecs(wait));
    // Only a moment held at the low end of the scale keeps the rest from shrinking.
    if (schedule.scheduleDate.daysTo(day) * secondsPerDay + time.msecsSinceStartOfDay() / 1000
        >= intMin)
        FUZZ_CHECK(after == std::max<qint64>(before - wait, 0),
                   QStringLiteral("%1 then %2 after %3 s").arg(before).arg(after).arg(wait));

    checkCountdownMessage(FuzzInput::take<quint8>(data, size) % (countdownLength + 1));
    return 0;
}
