#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "platform/filesettingsstore.h"
#include "store/previewwindow.h"
#include "store/pricekeeper.h"
#include "store/pricestore.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using GuiTest::child;
using GuiTest::click;

namespace {

PriceTable numberedTable(const QString &prefix)
{
    PriceTable table;
    for (int row = 0; row < priceTableRows; ++row)
        table[row] = { prefix + QString::number(row + 1), QString::number(100 * (row + 1)) };
    return table;
}

// One run of the program on its own platform.
struct Instance
{
    explicit Instance(SettingsStore &store)
        : platform { store, fakes.dialogs, fakes.launcher, fakes.clipboard, fakes.clock }
    { }
    MainWindow *window() const { return program.mainWindow(); }
    void trigger(const char *action) { child<QAction>(window(), action)->trigger(); }

    FakePlatform fakes;
    Platform platform;
    Program program { platform };
};

} // namespace

// The price table in the store: start-up, edits and their saves, presets and the preview window.
class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = FakeSettingsStore();
        m_run = new Instance(m_store);
    }

    void cleanup() { delete m_run; }

    void startsFromTheStore_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("withTable");
        QTest::addColumn<bool>("welcomed");
        QTest::addColumn<QString>("nextCount");
        QTest::newRow("no count, a table") << QString() << true << true << "1";
        QTest::newRow("count minus 0") << "-0" << true << true << "1";
        QTest::newRow("count 5, no table") << "5" << false << false << "6";
        QTest::newRow("count a fraction") << "2.5" << true << false << "3.5";
        QTest::newRow("count not a number") << "很多" << true << false << "1";
    }

    void startsFromTheStore()
    {
        QFETCH(QString, count);
        QFETCH(bool, withTable);
        QFETCH(bool, welcomed);
        QFETCH(QString, nextCount);
        if (!count.isNull())
            m_store.values.insert("使用次数/N", count);
        if (withTable)
            prices().setTable(automaticTable, numberedTable("存"));
        // The first run is greeted before the window shows, and nothing is written until the close.
        bool windowShown = false;
        m_run->fakes.dialogs.onMessage = [&] {
            windowShown = window() && window()->isVisible();
        };
        start();
        QCOMPARE(messages(),
                 welcomed ? QStringList { "欢迎使用Ormek商人计算器，本机是第一次运行本软件，将调用"
                                          "默认设置！往后程序会自动保存你的设置！|欢迎使用" }
                          : QStringList());
        QVERIFY(!windowShown);
        QCOMPARE(m_store.commits, 0);
        PriceTable expected = numberedTable("存");
        if (welcomed)
            expected = defaultPriceTable();
        else if (!withTable)
            expected.fill({ "设置", "0" });
        QVERIFY(window()->priceTable() == expected);
        if (welcomed)
            QCOMPARE(window()->row(9).name() + window()->row(9).price(), "碳50");

        window()->close();
        QCOMPARE(m_store.values.value("使用次数/N"), nextCount);
        // Only what was not stored yet is written.
        QCOMPARE(m_store.values.size(), withTable || welcomed ? 19 : 1);
        QVERIFY(prices().table(automaticTable) == expected);
    }

    void savesEveryEditAndAtClose()
    {
        start("2");
        m_run->fakes.dialogs.answers = { "4321", "  蓝冰 & <b>x</b> " };
        click(window(), "s1");
        QCOMPARE(m_store.commits, 1);
        QCOMPARE(m_store.values.value("物品名称及价格储存/b1"), "4321");
        QCOMPARE(m_store.values.value("使用次数/N"), "3");
        // A damaged store file that the save had to keep aside is told.
        m_store.keptCopy = "/fake/store.conf.bak";
        click(window(), "btn9");
        QCOMPARE(m_store.values.value("物品名称及价格储存/a9"), "  蓝冰 & <b>x</b> ");
        QCOMPARE(messages().size(), 1);
        m_run->fakes.dialogs.messages.clear();

        // Quantities are never stored, and a copy kept at the close is told too. Once the window
        // is gone, the session was saved: a later request does nothing.
        QTest::keyClicks(child(window(), "Text1"), "12");
        m_store.keptCopy = "/fake/store.conf.2.bak";
        window()->close();
        GuiTest::settle();
        m_store.commitSucceeds = false;
        QVERIFY(m_run->program.saveSession());
        QCOMPARE(m_store.commits, 3);
        QVERIFY(!m_store.values.values().contains("12"));
        QCOMPARE(messages(), { "设置文件已损坏，已另存为备份：\n/fake/store.conf.2.bak|提示" });
    }

    // Odd answers to the name and price boxes: each is refused with a message, or kept and stored.
    // The fuzz targets cover the parsing itself.
    void keepsOrRefusesOddAnswers_data()
    {
        QTest::addColumn<bool>("price");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QLocale>("locale");
        // The text stored and shown, or nothing when the answer is refused.
        QTest::addColumn<QString>("stored");
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const QLocale german(QLocale::German, QLocale::Germany);

        QTest::newRow("price: empty is a cancel") << true << "" << chinese << QString();
        QTest::newRow("price: full-width") << true << "１２" << chinese << QString();
        QTest::newRow("price: grouped") << true << "3,000" << chinese << "3000";
        QTest::newRow("price: German decimal comma") << true << "2,5" << german << "2.5";
        QTest::newRow("price: German, point as decimal point")
                << true << "1.234" << german << "1.234";
        QTest::newRow("price: German grouping refused") << true << "1.234,5" << german << QString();
        const QString controls = QString::fromUtf16(u"a\0b\x01\tc\r\nd\x7f\u202e", 12);
        QTest::newRow("name: control characters") << false << controls << chinese << controls;
    }

    void keepsOrRefusesOddAnswers()
    {
        QFETCH(bool, price);
        QFETCH(QString, answer);
        QFETCH(QLocale, locale);
        QFETCH(QString, stored);
        QLocale::setDefault(locale);
        auto restoreLocale =
                qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); });
        m_store.values = { { "物品名称及价格储存/a3", "盐" }, { "物品名称及价格储存/b3", "7" } };
        start("1");
        m_run->fakes.dialogs.answers = { answer };
        click(window(), price ? "s3" : "btn3");

        const QString kept = stored.isNull() ? QString(price ? "7" : "盐") : stored;
        QCOMPARE(price ? window()->row(3).price() : window()->row(3).name(), kept);
        QCOMPARE(m_store.values.value(price ? "物品名称及价格储存/b3" : "物品名称及价格储存/a3"),
                 kept);
        QCOMPARE(messages(),
                 !stored.isNull() || answer.isEmpty()
                         ? QStringList()
                         : QStringList { "单价必须是数字！|设置物品单价" });
    }

    void tellsFailedSaves_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("writes fail") << false;
        QTest::newRow("store cannot be read") << true;
    }

    void tellsFailedSaves()
    {
        QFETCH(bool, unreadable);
        // Such a store is neither greeted as a first run nor written over.
        m_store.unreadable = unreadable;
        start(unreadable ? "0" : "2");
        QCOMPARE(messages(),
                 unreadable ? QStringList { "无法读取设置文件，本次不会改写它：\n"
                                            "/fake/store.conf|提示" }
                            : QStringList());
        m_run->fakes.dialogs.messages.clear();
        const QString failed = "保存失败！|保存";
        auto editPrice = [this](const char *price, bool succeeds) {
            m_store.commitSucceeds = succeeds;
            m_run->fakes.dialogs.answers = { price };
            click(window(), "s2");
        };
        // Automatic saves tell a failure once until one succeeds again.
        editPrice("1", false);
        editPrice("2", false);
        QCOMPARE(messages(), QStringList { failed });
        editPrice("3", true);
        QCOMPARE(m_store.values.value("物品名称及价格储存/b2"), "3");
        editPrice("4", false);
        QCOMPARE(messages(), QStringList({ failed, failed }));
        // Back to what is stored: the failed "4" is not written later.
        editPrice("3", true);
        QCOMPARE(m_store.values.value("物品名称及价格储存/b2"), "3");
        m_store.commitSucceeds = false;
        // A preset save tells every failure, and so does the close.
        trigger("BC1");
        trigger("BC1");
        window()->close();
        QCOMPARE(messages(), QStringList(5, failed));
    }

    // Slots 1 to 5 are kept apart from each other and from the table on screen; the preview shows a
    // slot, and its button loads what is stored in it then.
    void savesViewsAndLoadsPresets()
    {
        PriceTable unset;
        unset.fill({ "设置", "0" });
        prices().setTable(5, numberedTable("戊"));
        start("2");
        QCOMPARE(child<QMenu>(window(), "BCFA")->actions().size(), 5);
        QTest::keyClicks(child(window(), "Text2"), "3");
        window()->setPriceTable(numberedTable("甲"));
        trigger("BC1");
        window()->setPriceTable(numberedTable("乙"));
        // A store file that had to be kept aside is told once, with where it went.
        m_store.keptCopy = "/fake/store.conf.2.bak";
        trigger("BC2");
        QVERIFY(prices().table(1) == numberedTable("甲"));
        QVERIFY(prices().table(2) == numberedTable("乙"));
        QVERIFY(prices().table(automaticTable) == unset);

        trigger("CK1");
        PreviewWindow *preview = m_run->program.priceKeeper()->previewWindow();
        trigger("CK5");
        QCOMPARE(m_run->program.priceKeeper()->previewWindow(), preview);
        QCOMPARE(preview->windowTitle(), "方案五");
        QCOMPARE(child<QLabel>(preview, "Label9")->text(), "戊9 = 900");
        // Loading from the menu leaves the preview as it is; its button loads its own slot.
        trigger("CSH");
        QVERIFY(window()->priceTable() == defaultPriceTable());
        QVERIFY(prices().table(automaticTable) == defaultPriceTable());
        QCOMPARE(window()->row(2).quantity(), "3");
        trigger("DQ1");
        QVERIFY(window()->priceTable() == numberedTable("甲"));
        prices().setTable(5, numberedTable("己"));
        click(preview, "Command1");
        QVERIFY(preview->isHidden());
        QVERIFY(window()->priceTable() == numberedTable("己"));
        QVERIFY(prices().table(automaticTable) == numberedTable("己"));
        QCOMPARE(messages(),
                 QStringList({ "将价格表保存到方案一完成！|保存",
                               "设置文件已损坏，已另存为备份：\n/fake/store.conf.2.bak|提示",
                               "将价格表保存到方案二完成！|保存", "初始化成功！|初始化",
                               "读取方案一成功！|读取", "读取方案五成功！|读取" }));

        // A slot never saved loads as "设置" and "0"; names and prices show literally, and a name
        // far too long for its line shows its two ends.
        PriceTable awkward = unset;
        awkward[0] = { "<b>x</b>", "9" };
        awkward[1] = { QString(2000000, u'长'), "1" };
        window()->setPriceTable(awkward);
        trigger("BC4");
        trigger("CK4");
        QCOMPARE(child<QLabel>(preview, "Label3")->text(), "设置 = 0");
        auto *line = child<QLabel>(preview, "Label1");
        // Whole, or its two ends where a wide font leaves no room.
        const QStringList ends = line->text().split(u'…');
        QVERIFY(QString("<b>x</b> = 9").startsWith(ends.first()));
        QVERIFY(QString("<b>x</b> = 9").endsWith(ends.last()));
        QCOMPARE(line->textFormat(), Qt::PlainText);
        auto *longLine = child<QLabel>(preview, "Label2");
        QVERIFY(longLine->text().contains(u'…'));
        QVERIFY(longLine->fontMetrics().horizontalAdvance(longLine->text()) <= longLine->width());
    }

    void keepsBothInstancesEdits_data()
    {
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("first closes first") << true;
        QTest::newRow("second closes first") << false;
    }

    // Two instances on one store file: each writes only what it changed, and both runs count.
    void keepsBothInstancesEdits()
    {
        QFETCH(bool, firstClosesFirst);
        QTemporaryDir folder;
        const QString fileName = folder.filePath("Ormek商人计算器.conf");
        FileSettingsStore firstStore(fileName);
        PriceStore(firstStore).setTable(automaticTable, numberedTable("存"));
        firstStore.setValue("使用次数", "N", "5");
        QVERIFY(firstStore.commit());
        FileSettingsStore secondStore(fileName);
        Instance first(firstStore);
        Instance second(secondStore);
        first.program.start();
        second.program.start();

        first.fakes.dialogs.answers = { "111" };
        click(first.window(), "s1");
        second.fakes.dialogs.answers = { "乙2", "333" };
        click(second.window(), "btn2");
        click(second.window(), "s3");
        // A preset saved by one is what the other sees of it.
        first.trigger("BC4");
        second.trigger("CK4");
        QCOMPARE(child<QLabel>(second.program.priceKeeper()->previewWindow(), "Label1")->text(),
                 "存1 = 111");
        (firstClosesFirst ? first : second).window()->close();
        (firstClosesFirst ? second : first).window()->close();

        FileSettingsStore store(fileName);
        PriceTable expected = numberedTable("存");
        expected[0].price = "111";
        expected[1].name = "乙2";
        expected[2].price = "333";
        QVERIFY(PriceStore(store).table(automaticTable) == expected);
        QCOMPARE(PriceStore(store).runCount(), "7");
    }

private:
    void start(const char *runCount = nullptr)
    {
        if (runCount)
            m_store.values.insert("使用次数/N", runCount);
        m_run->program.start();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }

    MainWindow *window() const { return m_run->window(); }
    void trigger(const char *action) { m_run->trigger(action); }
    PriceStore prices() { return PriceStore(m_store); }
    QStringList messages() const { return m_run->fakes.dialogs.messageTexts(); }
    FakeSettingsStore m_store;
    Instance *m_run = nullptr;
};

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
