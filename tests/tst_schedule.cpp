#include "shutdown/countdowntext.h"
#include "shutdown/schedule.h"

#include <QTest>
#include <limits>

namespace {

QDateTime at(int day, int hour, int minute = 0, int second = 0, int month = 12)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

const int intMax = std::numeric_limits<int>::max();

} // namespace

// Schedules are set, told and fired by pure arithmetic on the clock's moments.
class TestSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsEntries_data();
    void readsEntries();
    void startsClockTime_data();
    void startsClockTime();
    void startsCountdown_data();
    void startsCountdown();
    void ticks_data();
    void ticks();
    void countsDownTheMessage_data();
    void countsDownTheMessage();

private:
    QLocale m_locale { QLocale::Chinese, QLocale::China };
};

void TestSchedule::initTestCase()
{
    QLocale::setDefault(m_locale);
}

void TestSchedule::readsEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << "" << true << 0.0;
    QTest::newRow("whole") << "30" << true << 30.0;
    QTest::newRow("leading zero") << "08" << true << 8.0;
    QTest::newRow("fraction down") << "7.9" << true << 7.0;
    QTest::newRow("negative fraction down") << "-0.5" << true << -1.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("blank") << " " << false << 0.0;
    QTest::newRow("digits and letters") << "5分" << false << 0.0;
    QTest::newRow("full-width digits") << "１２" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("infinite") << "1e999" << false << 0.0;
}

void TestSchedule::readsEntries()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> read = readEntry(text, m_locale);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

void TestSchedule::startsClockTime_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("targetText");

    QTest::newRow("01:00 at 22:00 is tomorrow") << at(6, 22) << QStringList { "01", "00", "00" }
                                                << true << 86400 + 3600 << "关机时间：01时00分00秒";
    QTest::newRow("10:30 at 10:00 is today") << at(6, 10) << QStringList { "10", "30", "00" }
                                             << true << 37800 << "关机时间：10时30分00秒";
    QTest::newRow("the current second stays today") << at(6, 10) << QStringList { "10", "00", "00" }
                                                    << true << 36000 << "关机时间：10时00分00秒";
    QTest::newRow("one second ago is tomorrow")
            << at(6, 10, 0, 1) << QStringList { "10", "00", "00" } << true << 36000 + 86400
            << "关机时间：10时00分00秒";
    QTest::newRow("emptied hour counts 0") << at(6, 10) << QStringList { "", "30", "00" } << true
                                           << 1800 + 86400 << "关机时间：时30分00秒";
    QTest::newRow("texts shown as typed") << at(6, 1) << QStringList { "7.9", "5", "00" } << true
                                          << 7 * 3600 + 300 << "关机时间：7.9时5分00秒";
    QTest::newRow("hours above 23 count in full") << at(6, 10) << QStringList { "25", "00", "00" }
                                                  << true << 90000 << "关机时间：25时00分00秒";
    QTest::newRow("negative hour wraps to tomorrow")
            << at(6, 10) << QStringList { "-1", "00", "00" } << true << 86400 - 3600
            << "关机时间：-1时00分00秒";
    QTest::newRow("largest target") << at(6, 0) << QStringList { "596523", "14", "07" } << true
                                    << intMax << "关机时间：596523时14分07秒";
    QTest::newRow("one past the largest target")
            << at(6, 0) << QStringList { "596523", "14", "08" } << false << 0 << "";
    QTest::newRow("parts adding up beyond the range")
            << at(6, 10) << QStringList { "596523", "35791394", "0" } << false << 0 << "";
    QTest::newRow("hours alone out of range")
            << at(6, 10) << QStringList { "-596524", "0", "0" } << false << 0 << "";
    QTest::newRow("huge parts that cancel")
            << at(6, 10) << QStringList { "1e300", "-6e301", "0" } << false << 0 << "";
    QTest::newRow("not a number") << at(6, 10) << QStringList { "10", "半", "00" } << false << 0
                                  << "";
}

void TestSchedule::startsClockTime()
{
    QFETCH(QDateTime, now);
    QFETCH(QStringList, entries);
    QFETCH(bool, started);
    QFETCH(int, target);
    QFETCH(QString, targetText);

    const ScheduleStart start =
            scheduleClockTime({ entries[0], entries[1], entries[2] }, now, m_locale);
    QCOMPARE(start.outcome, started ? ScheduleStart::Started : ScheduleStart::InvalidTime);
    if (!started)
        return;
    QCOMPARE(start.schedule.targetSeconds, target);
    QCOMPARE(start.schedule.scheduleDate, now.date());
    QCOMPARE(start.targetText, targetText);
}

void TestSchedule::startsCountdown_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("targetText");

    const int started = ScheduleStart::Started;
    const int invalid = ScheduleStart::InvalidTime;

    QTest::newRow("90 minutes from 10:00") << at(6, 10) << QStringList { "", "90", "" } << started
                                           << 41400 << "关机时间：11时30分0秒";
    QTest::newRow("30 seconds") << at(6, 10) << QStringList { "", "", "30" } << started << 36030
                                << "关机时间：10时0分30秒";
    QTest::newRow("5 minutes from 23:00") << at(6, 23) << QStringList { "", "5", "" } << started
                                          << 83100 << "关机时间：23时5分0秒";
    QTest::newRow("2 hours from 23:00 on the 6th")
            << at(6, 23) << QStringList { "2", "", "" } << started << 82800 + 7200
            << "关机时间：7号1时0分0秒";
    QTest::newRow("2 hours from the last day of November")
            << at(30, 23, 0, 0, 11) << QStringList { "2", "", "" } << started << 90000
            << "关机时间：1号1时0分0秒";
    QTest::newRow("across the year's end") << at(31, 23, 30) << QStringList { "1", "", "" }
                                           << started << 84600 + 3600 << "关机时间：1号0时30分0秒";
    QTest::newRow("two days later") << at(6, 10) << QStringList { "50", "", "" } << started
                                    << 36000 + 180000 << "关机时间：8号12时0分0秒";
    QTest::newRow("fractions down") << at(6, 10) << QStringList { "0.5", "1.9", "59.99" } << started
                                    << 36000 + 60 + 59 << "关机时间：10时1分59秒";
    QTest::newRow("negative part, positive total")
            << at(6, 10) << QStringList { "1", "-30", "" } << started << 36000 + 1800
            << "关机时间：10时30分0秒";
    QTest::newRow("largest remaining") << at(6, 0) << QStringList { "", "", "2147483647" }
                                       << started << intMax << "关机时间：24号3时14分7秒";
    QTest::newRow("largest remaining a second later")
            << at(6, 0, 0, 1) << QStringList { "", "", "2147483647" } << invalid << 0 << "";
    QTest::newRow("seconds beyond the range")
            << at(6, 10) << QStringList { "", "", "3e9" } << invalid << 0 << "";
    QTest::newRow("all empty") << at(6, 10) << QStringList { "", "", "" }
                               << int(ScheduleStart::EmptyCountdown) << 0 << "";
    QTest::newRow("zero") << at(6, 10) << QStringList { "0", "0", "0" } << invalid << 0 << "";
    QTest::newRow("adds up to zero")
            << at(6, 10) << QStringList { "1", "-60", "" } << invalid << 0 << "";
    QTest::newRow("negative") << at(6, 10) << QStringList { "", "", "-5" } << invalid << 0 << "";
    QTest::newRow("under a second")
            << at(6, 10) << QStringList { "", "", "0.9" } << invalid << 0 << "";
    QTest::newRow("not a number") << at(6, 10) << QStringList { "1", "x", "" } << invalid << 0
                                  << "";
    QTest::newRow("a blank is not empty")
            << at(6, 10) << QStringList { " ", "", "" } << invalid << 0 << "";
}

void TestSchedule::startsCountdown()
{
    QFETCH(QDateTime, now);
    QFETCH(QStringList, entries);
    QFETCH(int, outcome);
    QFETCH(int, target);
    QFETCH(QString, targetText);

    const ScheduleStart start =
            scheduleCountdown({ entries[0], entries[1], entries[2] }, now, m_locale);
    QCOMPARE(int(start.outcome), outcome);
    if (outcome != ScheduleStart::Started)
        return;
    QCOMPARE(start.schedule.targetSeconds, target);
    QCOMPARE(start.schedule.scheduleDate, now.date());
    QCOMPARE(start.targetText, targetText);
}

void TestSchedule::ticks_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("nowSeconds");
    QTest::addColumn<bool>("due");
    QTest::addColumn<QString>("systemTime");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<QString>("caption");

    // Every schedule here was started on the 6th.
    QTest::newRow("first tick after 22:00 for 01:00")
            << 90000 << at(6, 22, 0, 1) << 79201 << false << "系统时间：22时00分01秒"
            << "距离关机时间秒数：10799秒"
            << "距离关机时间还剩：2小时59分59秒"
            << "2:59:59后关机";
    QTest::newRow("no leading zeros")
            << 36000 + 3909 << at(6, 10) << 36000 << false << "系统时间：10时00分00秒"
            << "距离关机时间秒数：3909秒"
            << "距离关机时间还剩：1小时5分9秒"
            << "1:5:9后关机";
    QTest::newRow("hours are not folded into days")
            << 36000 + 108000 << at(6, 10) << 36000 << false << "系统时间：10时00分00秒"
            << "距离关机时间秒数：108000秒"
            << "距离关机时间还剩：30小时0分0秒"
            << "30:0:0后关机";
    QTest::newRow("one second before")
            << 36000 << at(6, 9, 59, 59) << 35999 << false << "系统时间：09时59分59秒"
            << "距离关机时间秒数：1秒"
            << "距离关机时间还剩：0小时0分1秒"
            << "0:0:1后关机";
    QTest::newRow("midnight") << 86460 << at(7, 0) << 86400 << false << "系统时间：00时00分00秒"
                              << "距离关机时间秒数：60秒"
                              << "距离关机时间还剩：0小时1分0秒"
                              << "0:1:0后关机";
    QTest::newRow("exactly at the target next day")
            << 90000 << at(7, 1) << 90000 << true << "系统时间：01时00分00秒"
            << "距离关机时间秒数：0秒"
            << "距离关机时间还剩：0小时0分0秒"
            << "0:0:0后关机";
    QTest::newRow("a skipped second")
            << 90000 << at(7, 1, 0, 1) << 90001 << true << "系统时间：01时00分01秒"
            << "距离关机时间秒数：0秒"
            << "距离关机时间还剩：0小时0分0秒"
            << "0:0:0后关机";
    QTest::newRow("after a suspend of days")
            << 90000 << at(9, 8, 30) << 3 * 86400 + 30600 << true << "系统时间：08时30分00秒"
            << "距离关机时间秒数：0秒"
            << "距离关机时间还剩：0小时0分0秒"
            << "0:0:0后关机";
    QTest::newRow("clock set back a day")
            << 36030 << at(5, 10) << 36000 - 86400 << false << "系统时间：10时00分00秒"
            << "距离关机时间秒数：86430秒"
            << "距离关机时间还剩：24小时0分30秒"
            << "24:0:30后关机";
    QTest::newRow("clock decades ahead") << intMax << QDateTime(QDate(2200, 1, 1), QTime(0, 0))
                                         << intMax << true << "系统时间：00时00分00秒"
                                         << "距离关机时间秒数：0秒"
                                         << "距离关机时间还剩：0小时0分0秒"
                                         << "0:0:0后关机";
}

void TestSchedule::ticks()
{
    QFETCH(int, target);
    QFETCH(QDateTime, now);
    QFETCH(int, nowSeconds);
    QFETCH(bool, due);
    QFETCH(QString, systemTime);
    QFETCH(QString, seconds);
    QFETCH(QString, remaining);
    QFETCH(QString, caption);

    const ScheduleTick tick = scheduleTick({ target, QDate(2026, 12, 6) }, now);
    QCOMPARE(tick.nowSeconds, nowSeconds);
    QCOMPARE(tick.due, due);
    QCOMPARE(tick.systemTimeText, systemTime);
    QCOMPARE(tick.secondsText, seconds);
    QCOMPARE(tick.remainingText, remaining);
    QCOMPARE(tick.caption, caption);
}

void TestSchedule::countsDownTheMessage_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("message");
    QTest::newRow("first tick") << 1 << "您设置的时间已到,计算机将于9秒后关闭";
    QTest::newRow("ninth tick") << 9 << "您设置的时间已到,计算机将于1秒后关闭";
}

void TestSchedule::countsDownTheMessage()
{
    QFETCH(int, position);
    QFETCH(QString, message);
    QCOMPARE(countdownMessage(position), message);
}

QTEST_APPLESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
