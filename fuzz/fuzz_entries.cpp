// Any three entries, started as a clock time and as a countdown at any second of any day:
// an entry reads as nothing or as a whole number; a start is refused exactly when an entry is
// not a number, a part alone or the target or the seconds to it leave the 32-bit range, or a
// countdown is not ahead; a refused start gives no schedule and no text; a started one lies at
// the entries' time of day today or tomorrow, or exactly the entries' seconds ahead, with a
// target line in plain decimals, and its first tick shows the seconds from the start.

#include "app/numbertext.h"
#include "fuzzinput.h"
#include "shutdown/schedule.h"

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

QString describe(const TimeEntries &entries, const QDateTime &now)
{
    return QStringLiteral("entries \"%1\" \"%2\" \"%3\" at %4")
            .arg(entries.hours, entries.minutes, entries.seconds, now.toString(Qt::ISODate));
}

// The seconds of the entries, when every entry is a number and each part alone (hours × 3600,
// minutes × 60, seconds) fits the 32-bit range.
std::optional<qint64> entrySeconds(const TimeEntries &entries, const QLocale &locale)
{
    const QString texts[] = { entries.hours, entries.minutes, entries.seconds };
    const double weights[] = { 3600, 60, 1 };
    qint64 total = 0;
    bool valid = true;
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> value = readEntry(texts[i], locale);
        const QString where = QStringLiteral("entry \"%1\"").arg(texts[i]);
        FUZZ_CHECK(value.has_value() == (texts[i].isEmpty() || parseFiniteNumber(texts[i], locale)),
                   where);
        if (!value) {
            valid = false;
            continue;
        }
        FUZZ_CHECK(std::isfinite(*value) && *value == std::floor(*value), where);
        if (texts[i].isEmpty())
            FUZZ_CHECK(*value == 0, where);
        const double part = *value * weights[i];
        if (!(part >= double(intMin) && part <= double(intMax)))
            valid = false;
        else
            total += qint64(part);
    }
    if (!valid)
        return std::nullopt;
    return total;
}

void checkRefused(const ScheduleStart &start, const QString &where)
{
    FUZZ_CHECK(start.schedule.targetSeconds == 0 && start.schedule.scheduleDate.isNull(), where);
    FUZZ_CHECK(start.targetText.isEmpty(), where);
}

// The first tick, at the second of the start, shows all the seconds to the target.
void checkFirstTick(const ScheduleStart &start, const QDateTime &now, qint64 current,
                    const QString &where)
{
    FUZZ_CHECK(start.schedule.scheduleDate == now.date(), where);
    const ScheduleTick tick = scheduleTick(start.schedule, now);
    const qint64 ahead = start.schedule.targetSeconds - current;
    FUZZ_CHECK(tick.nowSeconds == current, where);
    FUZZ_CHECK(tick.due == (ahead <= 0), where);
    FUZZ_CHECK(tick.secondsText
                       == QStringLiteral("距离关机时间秒数：%1秒").arg(std::max<qint64>(ahead, 0)),
               where);
}

void checkClockTime(const TimeEntries &entries, const QDateTime &now, const QLocale &locale)
{
    const QString where = QStringLiteral("clock time, ") + describe(entries, now);
    const ScheduleStart start = scheduleClockTime(entries, now, locale);
    const std::optional<qint64> total = entrySeconds(entries, locale);
    const qint64 current = now.time().msecsSinceStartOfDay() / 1000;
    const qint64 target = total ? (*total < current ? *total + secondsPerDay : *total) : 0;
    const bool valid = total && target >= current && fitsInt(target) && fitsInt(target - current);

    FUZZ_CHECK((start.outcome == ScheduleStart::Started) == valid, where);
    if (!valid) {
        FUZZ_CHECK(start.outcome == ScheduleStart::InvalidTime, where);
        checkRefused(start, where);
        return;
    }
    FUZZ_CHECK(start.schedule.targetSeconds == target, where);
    FUZZ_CHECK(start.targetText
                       == QStringLiteral("关机时间：%1时%2分%3秒")
                                  .arg(entries.hours, entries.minutes, entries.seconds),
               where);
    checkFirstTick(start, now, current, where);
}

void checkCountdown(const TimeEntries &entries, const QDateTime &now, const QLocale &locale)
{
    static const QRegularExpression targetLine(QStringLiteral(
            "^关机时间：(?:([1-9]|[12][0-9]|3[01])号)?(1?[0-9]|2[0-3])时([1-5]?[0-9])分([1-5]?["
            "0-9])秒$"));

    const QString where = QStringLiteral("countdown, ") + describe(entries, now);
    const ScheduleStart start = scheduleCountdown(entries, now, locale);
    if (entries.hours.isEmpty() && entries.minutes.isEmpty() && entries.seconds.isEmpty()) {
        FUZZ_CHECK(start.outcome == ScheduleStart::EmptyCountdown, where);
        checkRefused(start, where);
        return;
    }
    const std::optional<qint64> total = entrySeconds(entries, locale);
    const qint64 current = now.time().msecsSinceStartOfDay() / 1000;
    const bool valid = total && *total > 0 && fitsInt(current + *total);

    FUZZ_CHECK((start.outcome == ScheduleStart::Started) == valid, where);
    if (!valid) {
        FUZZ_CHECK(start.outcome == ScheduleStart::InvalidTime, where);
        checkRefused(start, where);
        return;
    }
    const qint64 target = current + *total;
    FUZZ_CHECK(start.schedule.targetSeconds == target, where);
    const QRegularExpressionMatch line = targetLine.match(start.targetText);
    FUZZ_CHECK(line.hasMatch(), where + u' ' + start.targetText);
    FUZZ_CHECK(line.captured(2).toInt() * 3600 + line.captured(3).toInt() * 60
                               + line.captured(4).toInt()
                       == target % secondsPerDay,
               where + u' ' + start.targetText);
    const qint64 laterDays = target / secondsPerDay;
    FUZZ_CHECK(line.captured(1).isEmpty() == (laterDays == 0), where + u' ' + start.targetText);
    if (laterDays > 0)
        FUZZ_CHECK(line.captured(1).toInt() == now.date().addDays(laterDays).day(),
                   where + u' ' + start.targetText);
    checkFirstTick(start, now, current, where);
}

} // namespace

// The input: the day as days from 6 December 2026 (int32), the second of the day (uint32), a
// byte whose lowest bit picks regional settings with a decimal comma; then the hours, minutes
// and seconds entries, one a line (missing ones are empty).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    static const QLocale german(QLocale::German, QLocale::Germany);

    const QDate day = QDate(2026, 12, 6).addDays(FuzzInput::take<qint32>(data, size) % (1 << 20));
    const QTime time = QTime::fromMSecsSinceStartOfDay(
            int(FuzzInput::take<quint32>(data, size) % 86400) * 1000);
    const QLocale &locale = FuzzInput::take<quint8>(data, size) & 1 ? german : chinese;
    QList<QString> texts = FuzzInput::lines(data, size);
    texts.resize(3);
    const TimeEntries entries { texts[0], texts[1], texts[2] };

    const QDateTime now(day, time, Qt::UTC);
    checkClockTime(entries, now, locale);
    checkCountdown(entries, now, locale);
    return 0;
}
