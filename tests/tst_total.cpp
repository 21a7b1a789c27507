#include "app/clocktext.h"
#include "app/total.h"

#include <QTest>

Q_DECLARE_METATYPE(RowEntry)

class TestTotal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupsDigits_data();
    void groupsDigits();
    void formatsSums_data();
    void formatsSums();
    void addsRows_data();
    void addsRows();
    void showsTheClock_data();
    void showsTheClock();
};

void TestTotal::groupsDigits_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("grouped");

    const QString all = QStringLiteral("123456789012345678");
    const QStringList expected = {
        "1",
        "12",
        "123",
        "1,234",
        "12,345",
        "123,456",
        "1,234,567",
        "12,345,678",
        "123,456,789",
        "1,234,567,890",
        "12,345,678,901",
        "123,456,789,012",
        "1,234,567,890,123",
        "12,345,678,901,234",
        "123,456,789,012,345",
        "1,234,567,890,123,456",
        "12,345,678,901,234,567",
        "123,456,789,012,345,678",
    };
    for (int n = 1; n <= 18; ++n)
        QTest::addRow("%d digits", n) << all.left(n) << expected.at(n - 1);
}

void TestTotal::groupsDigits()
{
    QFETCH(QString, digits);
    QFETCH(QString, grouped);
    QCOMPARE(groupThousands(digits), grouped);
}

void TestTotal::formatsSums_data()
{
    QTest::addColumn<double>("sum");
    QTest::addColumn<QString>("caption");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("999") << 999.0 << "999";
    QTest::newRow("1000") << 1000.0 << "1,000";
    QTest::newRow("999999") << 999999.0 << "999,999";
    QTest::newRow("million") << 1e6 << "1,000,000";
    QTest::newRow("twelve digits") << 123456789012.0 << "123,456,789,012";
    QTest::newRow("thirteen digits") << 1e12 << "1,000,000,000,000";
    QTest::newRow("fifteen digits") << 999999999999999.0 << "999,999,999,999,999";
    QTest::newRow("10^15") << 1e15 << "数值过大";
    QTest::newRow("rounds up to 10^15") << 999999999999999.9 << "数值过大";
    QTest::newRow("infinite") << qInf() << "数值过大";
    QTest::newRow("not a number") << qQNaN() << "数值过大";
    QTest::newRow("negative") << -1500.0 << "-1,500";
    QTest::newRow("negative small") << -150.0 << "-150";
    QTest::newRow("fraction") << 1234.5 << "1,234.5";
    QTest::newRow("binary fraction noise") << 0.1 * 3 << "0.3";
    QTest::newRow("tiny") << 1e-7 << "0.0000001";
    QTest::newRow("fifteen significant") << 1234567.891234567 << "1,234,567.89123457";
}

void TestTotal::formatsSums()
{
    QFETCH(double, sum);
    QFETCH(QString, caption);
    QCOMPARE(formatTotal(sum), caption);
}

void TestTotal::addsRows_data()
{
    QTest::addColumn<QList<RowEntry>>("rows");
    QTest::addColumn<QString>("caption");

    const RowEntry empty;
    QTest::newRow("no quantities") << QList<RowEntry>(9, empty) << "0";
    QTest::newRow("empty quantity skips a bad price")
            << QList<RowEntry> { { "", "abc" }, { "2", "3000" } } << "6,000";
    QTest::newRow("zero quantity") << QList<RowEntry> { { "0", "3000" } } << "0";
    QTest::newRow("leading zeros") << QList<RowEntry> { { "007", "10" } } << "70";
    QTest::newRow("several rows") << QList<RowEntry> { { "1", "3000" }, { "", "5" }, { "3", "80" } }
                                  << "3,240";
    QTest::newRow("first bad price named")
            << QList<RowEntry> { { "1", "1" }, { "1", "abc" }, { "1", "x" } } << "第2行单价无效";
    QTest::newRow("empty price") << QList<RowEntry> { { "1", "" } } << "第1行单价无效";
    QTest::newRow("infinite price") << QList<RowEntry> { { "1", "inf" } } << "第1行单价无效";
    QTest::newRow("nan price") << QList<RowEntry> { { "1", "nan" } } << "第1行单价无效";
    QTest::newRow("price overflows") << QList<RowEntry> { { "10", "1e308" } } << "数值过大";
    QTest::newRow("quantity too long")
            << QList<RowEntry> { { QString(400, u'9'), "1" } } << "数值过大";
    QTest::newRow("regional grouping") << QList<RowEntry> { { "2", "3,000" } } << "6,000";
    QTest::newRow("fractional price") << QList<RowEntry> { { "3", "0.1" } } << "0.3";
    QTest::newRow("negative price") << QList<RowEntry> { { "3", "-500" } } << "-1,500";
}

void TestTotal::addsRows()
{
    QFETCH(QList<RowEntry>, rows);
    QFETCH(QString, caption);
    QCOMPARE(totalCaption(rows, QLocale(QLocale::Chinese, QLocale::China)), caption);
}

void TestTotal::showsTheClock_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");

    QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 6), QTime(15, 4, 5))
                               << "2026/12/6 15:04:05";
    QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)) << "2026/12/7";
    QTest::newRow("second after midnight")
            << QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1)) << "2026/12/7 00:00:01";
}

void TestTotal::showsTheClock()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    QCOMPARE(clockText(moment, QLocale(QLocale::Chinese, QLocale::China)), text);
}

QTEST_GUILESS_MAIN(TestTotal)
#include "tst_total.moc"
