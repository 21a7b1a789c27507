// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/countdowntext.h"
#include "core/helptext.h"
#include "core/presetslot.h"
#include "core/pricetable.h"
#include "core/pricetext.h"
#include "core/quantitykey.h"
#include "core/rowtexts.h"
#include "core/runcount.h"
#include "core/schedule.h"
#include "core/total.h"

#include <QTest>

Q_DECLARE_METATYPE(RowEntry)

namespace {

QDateTime at(int day, int hour, int minute = 0, int second = 0, int month = 12)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}

} // namespace

// The pure arithmetic: the total and its text, typed prices; schedules set, told and fired on the
// clock's moments and on the time passed; the program's size in the help text.
class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addsRows_data()
    {
        QTest::addColumn<QList<RowEntry>>("rows");
        QTest::addColumn<QString>("caption");
        using Rows = QList<RowEntry>;
        // A sum's caption: grouped, rounded to four decimals, and only below 10^15.
        QTest::newRow("negative zero") << Rows { { "1", "-0" } } << "0";
        QTest::newRow("one") << Rows { { "1", "1" } } << "1";
        QTest::newRow("four digits") << Rows { { "1", "1234" } } << "1,234";
        QTest::newRow("fifteen digits")
                << Rows { { "1", "999999999999999" } } << "999,999,999,999,999";
        QTest::newRow("10^15") << Rows { { "1", "1e15" } } << "数值过大";
        QTest::newRow("rounds up to 10^15") << Rows { { "1", "999999999999999.9" } } << "数值过大";
        QTest::newRow("fifteen significant, four decimals")
                << Rows { { "1", "1234567.891234567" } } << "1,234,567.8912";
        QTest::newRow("a ten-thousandth") << Rows { { "1", "-0.00016" } } << "-0.0002";
        QTest::newRow("empty quantity skips a bad price")
                << Rows { { "", "abc" }, { "2", "3000" } } << "6,000";
        QTest::newRow("first bad price named")
                << Rows { { "1", "1" }, { "1", "abc" }, { "1", "x" } } << "第2行单价无效";
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

    // A typed price is read in the user's regional settings, or plain; it is stored plain.
    void readsTypedPrices_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("stored"); // empty: refused
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("grouped") << "3,000" << m_locale << "3000";
        QTest::newRow("full-width digits") << "１２" << m_locale << "";
        QTest::newRow("German decimal comma") << "2,5" << german << "2.5";
        QTest::newRow("German, three decimals") << "1,234" << german << "1.234";
        QTest::newRow("German, a point that means two things") << "1.234" << german << "";
        QTest::newRow("German, point as decimal point") << "1.5" << german << "1.5";
        QTest::newRow("German grouping") << "1.234,5" << german << "1234.5";
    }

    void readsTypedPrices()
    {
        QFETCH(QString, typed);
        QFETCH(QLocale, locale);
        QFETCH(QString, stored);
        const std::optional<double> price = readTypedPrice(typed, locale);
        QCOMPARE(price ? storedPriceText(*price) : QString(), stored);
    }

    void schedules_data()
    {
        QTest::addColumn<bool>("countdown");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("targetText");
        // A tick: the clock then, the milliseconds passed since the start, and the caption.
        QTest::addColumn<QDateTime>("later");
        QTest::addColumn<int>("passed");
        QTest::addColumn<QString>("caption");
        const int started = ScheduleStart::Started;
        const int invalid = ScheduleStart::InvalidTime;
        using E = QStringList;

        // A clock time is today, or tomorrow once it has passed, and due at or past it.
        QTest::newRow("the current second is due")
                << false << at(6, 10) << E { "10", "00", "00" } << started
                << "关机时间：10时00分00秒" << at(6, 10) << 0 << "0:0:0后关机";
        QTest::newRow("one second ago is due tomorrow")
                << false << at(6, 10, 0, 1) << E { "10", "00", "00" } << started
                << "关机时间：10时00分00秒" << at(7, 10) << 0 << "0:0:0后关机";
        QTest::newRow("clock set back a day")
                << false << at(6, 10) << E { "10", "00", "30" } << started
                << "关机时间：10时00分30秒" << at(5, 10) << 0 << "24:0:30后关机";
        QTest::newRow("one past the largest target")
                << false << at(6, 0) << E { "596523", "14", "08" } << invalid << "" << QDateTime()
                << 0 << "";
        QTest::newRow("negative hours past even tomorrow")
                << false << at(6, 10) << E { "-30", "00", "00" } << invalid << "" << QDateTime()
                << 0 << "";

        // A countdown adds to now, names the day once it lies on a later one, and follows the
        // time that passes, whatever the clock is set to.
        QTest::newRow("fractions, clock an hour ahead")
                << true << at(6, 10) << E { "", "7.9", "-0.5" } << started
                << "关机时间：10时6分59秒" << at(6, 11, 0, 5) << 5000 << "0:6:54后关机";
        QTest::newRow("an hour from 23:00 is midnight, clock set back")
                << true << at(6, 23) << E { "1", "", "" } << started << "关机时间：7号0时0分0秒"
                << at(6, 22, 59, 59) << 3599000 << "0:0:1后关机";
        QTest::newRow("2 hours from November's last day, run out")
                << true << at(30, 23, 0, 0, 11) << E { "2", "", "" } << started
                << "关机时间：1号1时0分0秒" << at(30, 22, 0, 0, 11) << 7200000 << "0:0:0后关机";
        QTest::newRow("an hour and a minute")
                << true << at(6, 10) << E { "1", "1", "" } << started << "关机时间：11时1分0秒"
                << at(6, 10) << 0 << "1:1:0后关机";
        QTest::newRow("a day") << true << at(6, 10) << E { "24", "", "" } << started
                               << "关机时间：7号10时0分0秒" << at(6, 10) << 0 << "24:0:0后关机";
        QTest::newRow("one second")
                << true << at(6, 10) << E { "", "", "1" } << started << "关机时间：10时0分1秒"
                << at(6, 10, 0, 1) << 999 << "0:0:1后关机";
        QTest::newRow("all empty")
                << true << at(6, 10) << E { "", "", "" } << int(ScheduleStart::EmptyCountdown) << ""
                << QDateTime() << 0 << "";
    }

    void schedules()
    {
        QFETCH(bool, countdown);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, entries);
        QFETCH(int, outcome);
        QFETCH(QString, targetText);
        QFETCH(QDateTime, later);
        QFETCH(int, passed);
        QFETCH(QString, caption);

        const TimeEntries typed { entries[0], entries[1], entries[2] };
        const qint64 startedAt = 5000;
        const ScheduleStart start = countdown ? scheduleCountdown(typed, now, startedAt, m_locale)
                                              : scheduleClockTime(typed, now, m_locale);
        QCOMPARE(int(start.outcome), outcome);
        if (outcome != ScheduleStart::Started)
            return;
        QCOMPARE(start.targetText, targetText);
        const ScheduleTick tick = scheduleTick(start.schedule, later, startedAt + passed);
        QCOMPARE(tick.due, caption == "0:0:0后关机");
        QCOMPARE(tick.caption, caption);
        // The scheduler's lines tell the same rest as the caption.
        const QStringList left = caption.chopped(3).split(u':');
        QCOMPARE(tick.remainingText,
                 QString("距离关机时间还剩：%1小时%2分%3秒").arg(left[0], left[1], left[2]));
        QCOMPARE(tick.secondsText,
                 QString("距离关机时间秒数：%1秒")
                         .arg(left[0].toInt() * 3600 + left[1].toInt() * 60 + left[2].toInt()));
        QCOMPARE(tick.systemTimeText, later.toString("系统时间：hh时mm分ss秒"));
    }

    // What a quantity box does with each typed character.
    void filtersQuantityKeys_data()
    {
        QTest::addColumn<uint>("code");
        QTest::addColumn<int>("action");
        const int insert = int(QuantityKeyAction::Insert), cancel = int(QuantityKeyAction::Cancel);
        QTest::newRow("0") << uint(U'0') << insert;
        QTest::newRow("9") << uint(U'9') << insert;
        QTest::newRow("Backspace") << 8u << insert;
        QTest::newRow("Esc clears") << 27u << int(QuantityKeyAction::Clear);
        QTest::newRow("/ below 0") << uint(U'/') << cancel;
        QTest::newRow(": above 9") << uint(U':') << cancel;
        QTest::newRow("full-width 1") << uint(U'１') << cancel;
        QTest::newRow("minus") << uint(U'-') << cancel;
        QTest::newRow("Delete") << 127u << cancel;
    }

    void filtersQuantityKeys()
    {
        QFETCH(uint, code);
        QFETCH(int, action);
        QCOMPARE(int(quantityKeyAction(code)), action);
    }

    // Texts built from a value, as the user reads them.
    void tellsTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto runs = [](const QString &stored) {
            const RunCount count = countThisRun(stored);
            return count.sycs + (count.firstRun ? " first" : "");
        };
        QTest::newRow("first run") << runs("0") << "1 first";
        QTest::newRow("second run") << runs("1") << "2";
        QTest::newRow("count edited by hand") << runs("x") << "1";
        QTest::newRow("count beyond 32 bits") << runs("4294967296") << "4294967297";
        const auto slotOf = [](const QString &caption) {
            return QString::number(presetSlotOfButtonCaption(caption));
        };
        QTest::newRow("button of slot 1") << slotOf("调用方案一") << "1";
        QTest::newRow("button of slot 5") << slotOf("调用方案五") << "5";
        QTest::newRow("button of no slot") << slotOf("调用方案六") << "0";
        QTest::newRow("caption, not button") << slotOf("方案三") << "0";
        QTest::newRow("final count starts")
                << countdownMessage(0) << "您设置的时间已到,计算机将于10秒后关闭";
        QTest::newRow("final count's last second")
                << countdownMessage(9) << "您设置的时间已到,计算机将于1秒后关闭";
        const QString hundred(100, u'长');
        QTest::newRow("a hundred characters whole") << readableLength(hundred) << hundred;
        QTest::newRow("a hundred and one cut") << readableLength(hundred + u'x') << hundred + u'…';
        QTest::newRow("not between a surrogate pair")
                << readableLength(QString(99, u'a') + QString::fromUcs4(U"😀") + u'x')
                << QString(99, u'a') + u'…';
        // The program's size in the help text, in whole kilobytes, rounded.
        QTest::newRow("empty program") << kilobytesText(0) << "0KB";
        QTest::newRow("just under a half") << kilobytesText(511) << "0KB";
        QTest::newRow("a half rounds up") << kilobytesText(512) << "1KB";
        QTest::newRow("just under one and a half") << kilobytesText(1535) << "1KB";
        QTest::newRow("160 KB exactly") << kilobytesText(160 * 1024) << "160KB";
        QTest::newRow("the Windows program") << kilobytesText(308239) << "301KB";
        QTest::newRow("beyond 32 bits") << kilobytesText(qint64(5) << 30) << "5242880KB";
        PriceTable table = defaultPriceTable();
        table[8] = { "名", "12" };
        QTest::newRow("unsaved table, every row numbered")
                << unsavedTableReport(table).section(u'\n', 0, 1) + '|'
                        + unsavedTableReport(table).section(u'\n', 9)
                << "保存失败！以下价格表未能保存：\n1\t灵魂灾难\t3000|9\t名\t12\n";
    }

    void tellsTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

private:
    const QLocale m_locale { QLocale::Chinese, QLocale::China };
};

QTEST_APPLESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
