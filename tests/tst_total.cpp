#include "app/total.h"

#include <QTest>

Q_DECLARE_METATYPE(RowEntry)

// The total's arithmetic and its text.
class TestTotal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsSums_data();
    void formatsSums();
    void addsRows_data();
    void addsRows();
};

void TestTotal::formatsSums_data()
{
    QTest::addColumn<double>("sum");
    QTest::addColumn<QString>("caption");
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("three digits") << 123.0 << "123";
    QTest::newRow("four digits") << 1234.0 << "1,234";
    QTest::newRow("fifteen digits") << 999999999999999.0 << "999,999,999,999,999";
    QTest::newRow("10^15") << 1e15 << "数值过大";
    QTest::newRow("rounds up to 10^15") << 999999999999999.9 << "数值过大";
    QTest::newRow("not a number") << qQNaN() << "数值过大";
    QTest::newRow("negative") << -1500.0 << "-1,500";
    QTest::newRow("negative, three digits") << -150.0 << "-150";
    QTest::newRow("fraction") << 1234.5 << "1,234.5";
    QTest::newRow("binary fraction noise") << 0.1 * 3 << "0.3";
    QTest::newRow("fifteen significant, four decimals") << 1234567.891234567 << "1,234,567.8912";
    QTest::newRow("tiny") << 1e-7 << "0";
    QTest::newRow("tiniest") << 4.9e-324 << "0";
    QTest::newRow("a ten-thousandth") << -0.00016 << "-0.0002";
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
    using Rows = QList<RowEntry>;
    QTest::newRow("empty quantity skips a bad price")
            << Rows { { "", "abc" }, { "2", "3000" } } << "6,000";
    QTest::newRow("several rows") << Rows { { "1", "3000" }, { "", "5" }, { "3", "80" } }
                                  << "3,240";
    QTest::newRow("first bad price named")
            << Rows { { "1", "1" }, { "1", "abc" }, { "1", "x" } } << "第2行单价无效";
    QTest::newRow("infinite price") << Rows { { "1", "inf" } } << "第1行单价无效";
    QTest::newRow("empty price") << Rows { { "1", "" } } << "第1行单价无效";
    QTest::newRow("price overflows") << Rows { { "10", "1e308" } } << "数值过大";
    QTest::newRow("quantity too long") << Rows { { QString(400, u'9'), "1" } } << "数值过大";
    QTest::newRow("zero times a quantity too long") << Rows { { QString(400, u'9'), "0" } } << "0";
    QTest::newRow("tiny price times a quantity too long")
            << Rows { { QString(400, u'9'), "1e-320" } } << "数值过大";
    QTest::newRow("beyond a double, but cancelling")
            << Rows { { "10", "1e308" }, { "10", "-1e308" }, { "1", "5" } } << "5";
    // Stored prices read the same in every regional setting.
    QTest::newRow("older grouped price") << Rows { { "2", "3,000" } } << "6,000";
    QTest::newRow("decimal point") << Rows { { "2", "2.5" } } << "5";
    QTest::newRow("decimal comma") << Rows { { "2", "2,5" } } << "第1行单价无效";
}

void TestTotal::addsRows()
{
    QFETCH(QList<RowEntry>, rows);
    QFETCH(QString, caption);
    QCOMPARE(totalCaption(rows), caption);
}

QTEST_GUILESS_MAIN(TestTotal)
#include "tst_total.moc"
