#include "store/presetslot.h"
#include "store/pricestore.h"
#include "support/fakesettingsstore.h"

#include <QTest>

class TestPriceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsRuns_data();
    void countsRuns();
    void writesEighteenKeysIntoTheSlotSection();
    void namesPresetTexts();
};

void TestPriceStore::countsRuns_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("sycs");
    QTest::addColumn<bool>("firstRun");
    QTest::newRow("never run") << QStringLiteral("0") << QStringLiteral("1") << true;
    QTest::newRow("after one run") << QStringLiteral("1") << QStringLiteral("2") << false;
    QTest::newRow("many runs") << QStringLiteral("41") << QStringLiteral("42") << false;
    QTest::newRow("large") << QStringLiteral("123456789012") << QStringLiteral("123456789013")
                           << false;
    QTest::newRow("exponent") << QStringLiteral("1e3") << QStringLiteral("1001") << false;
    QTest::newRow("fraction") << QStringLiteral("2.5") << QStringLiteral("3.5") << false;
    QTest::newRow("negative") << QStringLiteral("-1") << QStringLiteral("0") << false;
    QTest::newRow("minus zero") << QStringLiteral("-0") << QStringLiteral("1") << true;
    QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("1") << false;
    QTest::newRow("words") << QStringLiteral("五") << QStringLiteral("1") << false;
    QTest::newRow("infinite") << QStringLiteral("1e999") << QStringLiteral("1") << false;
}

void TestPriceStore::countsRuns()
{
    QFETCH(QString, stored);
    QFETCH(QString, sycs);
    QFETCH(bool, firstRun);
    const RunCount run = countThisRun(stored);
    QCOMPARE(run.sycs, sycs);
    QCOMPARE(run.firstRun, firstRun);
}

void TestPriceStore::writesEighteenKeysIntoTheSlotSection()
{
    FakeSettingsStore settings;
    PriceStore store(settings);
    store.setTable(2, defaultPriceTable());
    QStringList keys;
    for (const QString letter : { "a", "b" }) {
        for (int row = 1; row <= 9; ++row)
            keys << QStringLiteral("物品名称及价格储存2/") + letter + QString::number(row);
    }
    keys.sort();
    QCOMPARE(settings.values.keys(), keys);
    QCOMPARE(settings.values.value(QStringLiteral("物品名称及价格储存2/a5")),
             QStringLiteral("狂乱强韧"));
    QCOMPARE(settings.values.value(QStringLiteral("物品名称及价格储存2/b5")),
             QStringLiteral("22000"));

    settings.values.clear();
    store.setTable(automaticTable, defaultPriceTable());
    store.setRunCount(QStringLiteral("3"));
    QCOMPARE(settings.values.size(), 19);
    QCOMPARE(settings.values.value(QStringLiteral("物品名称及价格储存/a9")), QStringLiteral("碳"));
    QCOMPARE(settings.values.value(QStringLiteral("使用次数/N")), QStringLiteral("3"));
    QCOMPARE(settings.commits, 0);
    QVERIFY(store.commit());
    QCOMPARE(settings.commits, 1);
}

void TestPriceStore::namesPresetTexts()
{
    QCOMPARE(presetButtonCaption(3), QStringLiteral("调用方案三"));
    QCOMPARE(presetSavedMessage(2), QStringLiteral("将价格表保存到方案二完成！"));
    QCOMPARE(presetLoadedMessage(5), QStringLiteral("读取方案五成功！"));
    for (int slot = 1; slot <= presetSlotCount; ++slot)
        QCOMPARE(presetSlotOfButtonCaption(presetButtonCaption(slot)), slot);
    for (const QString other : { "调用此方案", "调用方案六", "调用方案一 ", "方案一", "" })
        QCOMPARE(presetSlotOfButtonCaption(other), 0);
}

QTEST_GUILESS_MAIN(TestPriceStore)
#include "tst_pricestore.moc"
