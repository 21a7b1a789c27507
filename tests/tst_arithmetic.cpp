#include "app/total.h"
#include "shutdown/schedule.h"

#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(RowEntry)

namespace {

QDateTime at(int day, int hour, int minute = 0, int second = 0, int month = 12)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

const int intMax = std::numeric_limits<int>::max();

} // namespace

// The pure arithmetic: the total and its text; schedules set, told and fired on the clock's
// moments and on the time passed.
class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsSums_data()
    {
        QTest::addColumn<double>("sum");
        QTest::addColumn<QString>("caption");
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("one") << 1.0 << "1";
        QTest::newRow("four digits") << 1234.0 << "1,234";
        QTest::newRow("fifteen digits") << 999999999999999.0 << "999,999,999,999,999";
        QTest::newRow("10^15") << 1e15 << "数值过大";
        QTest::newRow("rounds up to 10^15") << 999999999999999.9 << "数值过大";
        QTest::newRow("not a number") << qQNaN() << "数值过大";
        QTest::newRow("negative, three digits") << -150.0 << "-150";
        QTest::newRow("binary fraction noise") << 0.1 * 3 << "0.3";
        QTest::newRow("fifteen significant, four decimals")
                << 1234567.891234567 << "1,234,567.8912";
        QTest::newRow("tiny") << 1e-7 << "0";
        QTest::newRow("a ten-thousandth") << -0.00016 << "-0.0002";
    }

    void formatsSums()
    {
        QFETCH(double, sum);
        QFETCH(QString, caption);
        QCOMPARE(formatTotal(sum), caption);
    }

    void addsRows_data()
    {
        QTest::addColumn<QList<RowEntry>>("rows");
        QTest::addColumn<QString>("caption");
        using Rows = QList<RowEntry>;
        QTest::newRow("empty quantity skips a bad price")
                << Rows { { "", "abc" }, { "2", "3000" } } << "6,000";
        QTest::newRow("several rows")
                << Rows { { "1", "3000" }, { "", "5" }, { "3", "80" } } << "3,240";
        QTest::newRow("first bad price named")
                << Rows { { "1", "1" }, { "1", "abc" }, { "1", "x" } } << "第2行单价无效";
        QTest::newRow("empty price") << Rows { { "1", "" } } << "第1行单价无效";
        QTest::newRow("quantity too long") << Rows { { QString(400, u'9'), "1" } } << "数值过大";
        QTest::newRow("zero times a quantity too long")
                << Rows { { QString(400, u'9'), "0" } } << "0";
        QTest::newRow("tiny price times a quantity too long")
                << Rows { { QString(400, u'9'), "1e-320" } } << "数值过大";
        QTest::newRow("beyond a double, but cancelling")
                << Rows { { "10", "1e308" }, { "10", "-1e308" }, { "1", "5" } } << "5";
        // Stored prices read the same in every regional setting.
        QTest::newRow("older grouped price") << Rows { { "2", "3,000" } } << "6,000";
        QTest::newRow("decimal comma") << Rows { { "2", "2,5" } } << "第1行单价无效";
    }

    void addsRows()
    {
        QFETCH(QList<RowEntry>, rows);
        QFETCH(QString, caption);
        QCOMPARE(totalCaption(rows), caption);
    }

    void starts_data()
    {
        QTest::addColumn<bool>("countdown");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("targetText");
        const int started = ScheduleStart::Started;
        const int invalid = ScheduleStart::InvalidTime;
        using E = QStringList;

        // A clock time is today, or tomorrow once it has passed.
        QTest::newRow("01:00 at 22:00 is tomorrow")
                << false << at(6, 22) << E { "01", "00", "00" } << started << 86400 + 3600
                << "关机时间：01时00分00秒";
        QTest::newRow("the current second stays today")
                << false << at(6, 10) << E { "10", "00", "00" } << started << 36000
                << "关机时间：10时00分00秒";
        QTest::newRow("one second ago is tomorrow")
                << false << at(6, 10, 0, 1) << E { "10", "00", "00" } << started << 36000 + 86400
                << "关机时间：10时00分00秒";
        QTest::newRow("emptied hour counts 0, shown as typed")
                << false << at(6, 10) << E { "", "30", "00" } << started << 1800 + 86400
                << "关机时间：时30分00秒";
        QTest::newRow("largest target") << false << at(6, 0) << E { "596523", "14", "07" }
                                        << started << intMax << "关机时间：596523时14分07秒";
        QTest::newRow("one past the largest target")
                << false << at(6, 0) << E { "596523", "14", "08" } << invalid << 0 << "";
        QTest::newRow("huge parts that cancel")
                << false << at(6, 10) << E { "1e300", "-6e301", "0" } << invalid << 0 << "";

        QTest::newRow("negative hours past even tomorrow")
                << false << at(6, 10) << E { "-30", "00", "00" } << invalid << 0 << "";

        // A countdown adds to now, and names the day once it lies on a later one.
        QTest::newRow("90 minutes from 10:00") << true << at(6, 10) << E { "", "90", "" } << started
                                               << 41400 << "关机时间：11时30分0秒";
        QTest::newRow("fractions count down") << true << at(6, 10) << E { "", "7.9", "-0.5" }
                                              << started << 36419 << "关机时间：10时6分59秒";
        QTest::newRow("24 hours from 10:00") << true << at(6, 10) << E { "24", "", "" } << started
                                             << 122400 << "关机时间：7号10时0分0秒";
        QTest::newRow("an hour from 23:00 on the 6th is midnight")
                << true << at(6, 23) << E { "1", "", "" } << started << 86400
                << "关机时间：7号0时0分0秒";
        QTest::newRow("2 hours from the last day of November")
                << true << at(30, 23, 0, 0, 11) << E { "2", "", "" } << started << 90000
                << "关机时间：1号1时0分0秒";
        QTest::newRow("largest remaining") << true << at(6, 0) << E { "", "", "2147483647" }
                                           << started << intMax << "关机时间：24号3时14分7秒";
        QTest::newRow("largest remaining a second later")
                << true << at(6, 0, 0, 1) << E { "", "", "2147483647" } << invalid << 0 << "";
        QTest::newRow("seconds beyond 32 bits")
                << true << at(6, 10) << E { "", "", "3e9" } << invalid << 0 << "";
        QTest::newRow("all empty") << true << at(6, 10) << E { "", "", "" }
                                   << int(ScheduleStart::EmptyCountdown) << 0 << "";
        QTest::newRow("a blank is not empty")
                << true << at(6, 10) << E { " ", "", "" } << invalid << 0 << "";
        QTest::newRow("one second") << true << at(6, 10) << E { "", "", "1" } << started << 36001
                                    << "关机时间：10时0分1秒";
        QTest::newRow("adds up to zero")
                << true << at(6, 10) << E { "1", "-60", "" } << invalid << 0 << "";
    }

    void starts()
    {
        QFETCH(bool, countdown);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, entries);
        QFETCH(int, outcome);
        QFETCH(int, target);
        QFETCH(QString, targetText);

        const TimeEntries typed { entries[0], entries[1], entries[2] };
        const qint64 elapsed = 5000;
        const ScheduleStart start = countdown ? scheduleCountdown(typed, now, elapsed, m_locale)
                                              : scheduleClockTime(typed, now, m_locale);
        QCOMPARE(int(start.outcome), outcome);
        if (outcome != ScheduleStart::Started)
            return;
        QCOMPARE(start.schedule.kind, countdown ? Schedule::Countdown : Schedule::ClockTime);
        QCOMPARE(start.schedule.targetSeconds, target);
        QCOMPARE(start.schedule.scheduleDate, now.date());
        QCOMPARE(start.targetText, targetText);
        if (countdown) {
            QCOMPARE(start.schedule.startedAt, elapsed);
            QCOMPARE(start.schedule.lengthSeconds,
                     target - now.time().msecsSinceStartOfDay() / 1000);
        }
    }

    void ticks_data()
    {
        QTest::addColumn<int>("countdown");
        QTest::addColumn<int>("target");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("passed");
        QTest::addColumn<bool>("due");
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<QString>("caption");

        // A clock time set on the 6th, to the second of its day (beyond 86400 on the 7th).
        QTest::newRow("first tick after 22:00 for 01:00")
                << 0 << 90000 << at(6, 22, 0, 1) << 0 << false << 10799 << "2:59:59后关机";
        QTest::newRow("one second before")
                << 0 << 36000 << at(6, 9, 59, 59) << 0 << false << 1 << "0:0:1后关机";
        QTest::newRow("exactly at the target next day")
                << 0 << 90000 << at(7, 1) << 0 << true << 0 << "0:0:0后关机";
        QTest::newRow("a skipped second")
                << 0 << 90000 << at(7, 1, 0, 1) << 0 << true << 0 << "0:0:0后关机";
        QTest::newRow("after a suspend of days")
                << 0 << 90000 << at(9, 8, 30) << 0 << true << 0 << "0:0:0后关机";
        QTest::newRow("clock set back a day")
                << 0 << 36030 << at(5, 10) << 0 << false << 86430 << "24:0:30后关机";
        QTest::newRow("exactly a day ahead")
                << 0 << 36000 + 86400 << at(6, 10) << 0 << false << 86400 << "24:0:0后关机";
        QTest::newRow("clock decades ahead")
                << 0 << intMax << QDateTime(QDate(2200, 1, 1), QTime(0, 0)) << 0 << true << 0
                << "0:0:0后关机";

        // A countdown of this many seconds, and the milliseconds passed since it started.
        QTest::newRow("countdown, 15 s passed")
                << 20 << 0 << at(6, 10, 0, 15) << 15999 << false << 5 << "0:0:5后关机";
        QTest::newRow("countdown, clock set back an hour")
                << 20 << 0 << at(6, 9, 0, 19) << 19000 << false << 1 << "0:0:1后关机";
        QTest::newRow("countdown, clock an hour ahead for daylight saving")
                << 20 << 0 << at(6, 11, 0, 5) << 5000 << false << 15 << "0:0:15后关机";
        QTest::newRow("countdown run out, clock set back")
                << 20 << 0 << at(6, 9, 0, 20) << 20000 << true << 0 << "0:0:0后关机";
        QTest::newRow("countdown of a day")
                << 86400 << 0 << at(6, 10) << 0 << false << 86400 << "24:0:0后关机";
    }

    void ticks()
    {
        QFETCH(int, countdown);
        QFETCH(int, target);
        QFETCH(QDateTime, now);
        QFETCH(int, passed);
        QFETCH(bool, due);
        QFETCH(int, secondsLeft);
        QFETCH(QString, caption);

        const qint64 startedAt = 1000000;
        const Schedule schedule { countdown ? Schedule::Countdown : Schedule::ClockTime, target,
                                  QDate(2026, 12, 6), startedAt, countdown };
        const ScheduleTick tick = scheduleTick(schedule, now, startedAt + passed);
        QCOMPARE(tick.due, due);
        QCOMPARE(tick.caption, caption);
        QCOMPARE(tick.secondsText, QString("距离关机时间秒数：%1秒").arg(secondsLeft));
        const QStringList left = caption.chopped(3).split(u':');
        QCOMPARE(tick.remainingText,
                 QString("距离关机时间还剩：%1小时%2分%3秒").arg(left[0], left[1], left[2]));
        QCOMPARE(tick.systemTimeText, now.toString("系统时间：HH时mm分ss秒"));
    }

private:
    const QLocale m_locale { QLocale::Chinese, QLocale::China };
};

QTEST_APPLESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
