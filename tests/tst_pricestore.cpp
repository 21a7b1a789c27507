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
    void readsDefaultsWhenEmpty();
    void writesEighteenKeysIntoTheSlotSection();
    void keepsTablesApart();
    void namesPresetTexts();
};

void TestPriceStore::countsRuns_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("sycs");
    QTest::addColumn<bool>("firstRun");
    QTest::newRow("never run") << "0"
                               << "1" << true;
    QTest::newRow("after one run") << "1"
                                   << "2" << false;
    QTest::newRow("many runs") << "41"
                               << "42" << false;
    QTest::newRow("large") << "123456789012"
                           << "123456789013" << false;
    QTest::newRow("exponent") << "1e3"
                              << "1001" << false;
    QTest::newRow("fraction") << "2.5"
                              << "3.5" << false;
    QTest::newRow("negative") << "-1"
                              << "0" << false;
    QTest::newRow("minus zero") << "-0"
                                << "1" << true;
    QTest::newRow("empty") << ""
                           << "1" << false;
    QTest::newRow("words") << "五"
                           << "1" << false;
    QTest::newRow("infinite") << "1e999"
                              << "1" << false;
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

void TestPriceStore::readsDefaultsWhenEmpty()
{
    FakeSettingsStore settings;
    PriceStore store(settings);
    QCOMPARE(store.runCount(), QStringLiteral("0"));
    for (int slot = automaticTable; slot <= presetSlotCount; ++slot) {
        for (const PriceEntry &entry : store.table(slot))
            QCOMPARE(entry, (PriceEntry { QStringLiteral("设置"), QStringLiteral("0") }));
    }
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

void TestPriceStore::keepsTablesApart()
{
    FakeSettingsStore settings;
    PriceStore store(settings);
    auto tableFor = [](int slot) {
        PriceTable table;
        for (int row = 0; row < priceTableRows; ++row)
            table[row] = { QStringLiteral("物品%1-%2").arg(slot).arg(row),
                           QString::number(slot * 100 + row) };
        return table;
    };
    for (int slot = automaticTable; slot <= presetSlotCount; ++slot)
        store.setTable(slot, tableFor(slot));
    store.setTable(3, defaultPriceTable());
    for (int slot = automaticTable; slot <= presetSlotCount; ++slot)
        QVERIFY(store.table(slot) == (slot == 3 ? defaultPriceTable() : tableFor(slot)));
    QCOMPARE(store.runCount(), QStringLiteral("0"));
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
