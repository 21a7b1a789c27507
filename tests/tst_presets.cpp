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
#include <QPushButton>
#include <QTemporaryDir>

using GuiTest::child;
using GuiTest::click;

namespace {

const QString welcome = "欢迎使用Ormek商人计算器，本机是第一次运行本软件，将调用默认设置！"
                        "往后程序会自动保存你的设置！";

PriceTable numberedTable(const QString &prefix)
{
    PriceTable table;
    for (int row = 0; row < priceTableRows; ++row)
        table[row] = { prefix + QString::number(row + 1), QString::number(100 * (row + 1)) };
    return table;
}

// Remembers whether the main window was on screen when each message was shown.
class WatchingDialogs : public FakeDialogs
{
public:
    void showMessage(const QString &prompt, const QString &title) override
    {
        bool shown = false;
        for (QWidget *window : QApplication::topLevelWidgets())
            shown = shown || (window->objectName() == "Form1" && window->isVisible());
        mainWindowShown.append(shown);
        FakeDialogs::showMessage(prompt, title);
    }

    QList<bool> mainWindowShown;
};

} // namespace

// The price table in the store: start-up, edits and their saves, presets and the preview window.
class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsFromTheStore_data();
    void startsFromTheStore();
    void savesEveryEditAndAtClose();
    void keepsOrRefusesOddAnswers_data();
    void keepsOrRefusesOddAnswers();
    void tellsFailedSaves_data();
    void tellsFailedSaves();
    void savesAndLoadsPresets();
    void previewShowsAndLoadsSlots();
    void keepsBothInstancesEdits_data();
    void keepsBothInstancesEdits();

private:
    void start(const char *runCount = nullptr);
    MainWindow *window() const { return m_program->mainWindow(); }
    void trigger(const QString &action) { child<QAction>(window(), action)->trigger(); }
    PriceStore prices() const { return PriceStore(m_fakes->store); }
    PreviewWindow *preview() const { return m_program->priceKeeper()->previewWindow(); }
    QStringList messageTexts() const;

    FakePlatform *m_fakes = nullptr;
    WatchingDialogs *m_dialogs = nullptr;
    Platform *m_platform = nullptr;
    Program *m_program = nullptr;
};

void TestPresets::init()
{
    m_fakes = new FakePlatform;
    m_dialogs = new WatchingDialogs;
    m_platform = new Platform { m_fakes->store, *m_dialogs, m_fakes->launcher, m_fakes->clipboard,
                                m_fakes->clock };
    m_program = new Program(*m_platform);
}

void TestPresets::cleanup()
{
    delete m_program;
    delete m_platform;
    delete m_dialogs;
    delete m_fakes;
}

void TestPresets::start(const char *runCount)
{
    if (runCount)
        m_fakes->store.values.insert("使用次数/N", runCount);
    m_program->start();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
}

QStringList TestPresets::messageTexts() const
{
    QStringList texts;
    for (const FakeDialogs::Box &box : m_dialogs->messages)
        texts << box.prompt + u'|' + box.title;
    return texts;
}

void TestPresets::startsFromTheStore_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("withTable");
    QTest::addColumn<bool>("welcomed");
    QTest::addColumn<QString>("nextCount");
    QTest::newRow("no count, a table") << QString() << true << true << "1";
    QTest::newRow("count 0") << "0" << true << true << "1";
    QTest::newRow("count minus 0") << "-0" << true << true << "1";
    QTest::newRow("count 1") << "1" << true << false << "2";
    QTest::newRow("count 5, no table") << "5" << false << false << "6";
    QTest::newRow("count beyond 32 bits") << "123456789012" << true << false << "123456789013";
    QTest::newRow("count a fraction") << "2.5" << true << false << "3.5";
    QTest::newRow("count empty") << "" << true << false << "1";
    QTest::newRow("count not a number") << "很多" << true << false << "1";
    QTest::newRow("count infinite") << "1e999" << true << false << "1";
}

void TestPresets::startsFromTheStore()
{
    QFETCH(QString, count);
    QFETCH(bool, withTable);
    QFETCH(bool, welcomed);
    QFETCH(QString, nextCount);
    if (!count.isNull())
        m_fakes->store.values.insert("使用次数/N", count);
    if (withTable)
        prices().setTable(automaticTable, numberedTable("存"));
    start();

    // The first run is greeted before the window shows, and nothing is written until the close.
    QCOMPARE(messageTexts(), welcomed ? QStringList { welcome + "|欢迎使用" } : QStringList());
    QCOMPARE(m_dialogs->mainWindowShown, QList<bool>(welcomed ? 1 : 0, false));
    QCOMPARE(m_fakes->store.commits, 0);
    PriceTable expected = numberedTable("存");
    if (welcomed)
        expected = defaultPriceTable();
    else if (!withTable)
        expected.fill({ "设置", "0" });
    QVERIFY(window()->priceTable() == expected);

    window()->close();
    QCOMPARE(m_fakes->store.values.value("使用次数/N"), nextCount);
    // Only what was not stored yet is written.
    QCOMPARE(m_fakes->store.values.size(), withTable || welcomed ? 19 : 1);
    QVERIFY(prices().table(automaticTable) == expected);
}

void TestPresets::savesEveryEditAndAtClose()
{
    start("2");
    m_dialogs->answers = { "4321", "  蓝冰 & <b>x</b> " };
    click(window(), "s1");
    QCOMPARE(m_fakes->store.commits, 1);
    QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/b1"), "4321");
    QCOMPARE(m_fakes->store.values.value("使用次数/N"), "3");
    click(window(), "btn9");
    QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/a9"), "  蓝冰 & <b>x</b> ");

    // Quantities are never stored.
    QTest::keyClicks(child(window(), "Text1"), "12");
    QVERIFY(m_program->saveSession());
    window()->close();
    QCOMPARE(m_fakes->store.commits, 4);
    QVERIFY(!m_fakes->store.values.values().contains("12"));
    QVERIFY(m_dialogs->messages.isEmpty());

    // Once the window is gone, the session was saved: a later request does nothing.
    GuiTest::settle();
    QVERIFY(!window());
    m_fakes->store.commitSucceeds = false;
    QVERIFY(m_program->saveSession());
    QCOMPARE(m_fakes->store.commits, 4);
}

// Odd answers to the name and price boxes: each is refused with a message, or kept and stored
// exactly as typed. The fuzz targets cover the parsing itself.
void TestPresets::keepsOrRefusesOddAnswers_data()
{
    QTest::addColumn<bool>("price");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QLocale>("locale");
    // The text stored and shown, or nothing when the answer is refused.
    QTest::addColumn<QString>("stored");
    const char16_t controls[] = u"a\0b\x01\tc\r\nd\x7f\u200e\u202e";
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale french(QLocale::French, QLocale::France);

    QTest::newRow("price: empty is a cancel") << true << "" << chinese << QString();
    QTest::newRow("price: blanks") << true << "   " << chinese << QString();
    QTest::newRow("price: letters") << true << "abc" << chinese << QString();
    QTest::newRow("price: nan") << true << "nan" << chinese << QString();
    QTest::newRow("price: inf") << true << "inf" << chinese << QString();
    QTest::newRow("price: beyond double") << true << "1e999" << chinese << QString();
    QTest::newRow("price: hexadecimal") << true << "0x10" << chinese << QString();
    QTest::newRow("price: full-width") << true << "１２" << chinese << QString();
    QTest::newRow("price: decimal comma") << true << "1.234,5" << chinese << QString();
    QTest::newRow("price: 10,000 digits")
            << true << QString(u'1' + QString(9999, u'0')) << chinese << QString();
    QTest::newRow("price: minus zero") << true << "-0" << chinese << "0";
    QTest::newRow("price: blanks around") << true << " 12 " << chinese << "12";
    QTest::newRow("price: grouped") << true << "3,000" << chinese << "3000";
    QTest::newRow("price: exponent") << true << "2.5e3" << chinese << "2500";
    QTest::newRow("price: German decimal comma") << true << "2,5" << german << "2.5";
    QTest::newRow("price: German, point as decimal point") << true << "1.234" << german << "1.234";
    QTest::newRow("price: German grouping refused") << true << "1.234,5" << german << QString();
    QTest::newRow("price: French grouping") << true << "1 234,5" << french << "1234.5";
    QTest::newRow("name: emoji") << false << "🍎苹果😀" << chinese << "🍎苹果😀";
    QTest::newRow("name: right to left") << false << "تفاح אבג 12" << chinese << "تفاح אבג 12";
    const QString controlName = QString::fromUtf16(controls, std::size(controls) - 1);
    QTest::newRow("name: control characters") << false << controlName << chinese << controlName;
    QTest::newRow("name: 100,000 characters")
            << false << QString(100000, u'长') << chinese << QString(100000, u'长');
}

void TestPresets::keepsOrRefusesOddAnswers()
{
    QFETCH(bool, price);
    QFETCH(QString, answer);
    QFETCH(QLocale, locale);
    QFETCH(QString, stored);
    QLocale::setDefault(locale);
    auto restoreLocale =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); });
    m_fakes->store.values = { { "物品名称及价格储存/a3", "盐" }, { "物品名称及价格储存/b3", "7" } };
    start("1");
    ItemRow &row = window()->row(3);
    m_dialogs->answers = { answer };
    click(window(), price ? "s3" : "btn3");

    const QString kept = stored.isNull() ? QString(price ? "7" : "盐") : stored;
    QCOMPARE(price ? row.price() : row.name(), kept);
    QCOMPARE(m_fakes->store.values.value(price ? "物品名称及价格储存/b3" : "物品名称及价格储存/a3"),
             kept);
    QCOMPARE(messageTexts(),
             !stored.isNull() || answer.isEmpty()
                     ? QStringList()
                     : QStringList { "单价必须是数字！|设置物品单价" });
}

void TestPresets::tellsFailedSaves_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("writes fail") << false;
    QTest::newRow("store cannot be read") << true;
}

void TestPresets::tellsFailedSaves()
{
    QFETCH(bool, unreadable);
    // Such a store is neither greeted as a first run nor written over.
    m_fakes->store.unreadable = unreadable;
    m_fakes->store.commitSucceeds = !unreadable;
    start(unreadable ? "0" : "2");
    if (unreadable) {
        QCOMPARE(messageTexts(),
                 QStringList { "无法读取设置文件，本次不会改写它：\n/fake/store.conf|提示" });
        m_dialogs->messages.clear();
    }
    const QString failed = "保存失败！|保存";
    auto editPrice = [this](const char *price) {
        m_dialogs->answers = { price };
        click(window(), "s2");
    };
    // Automatic saves tell a failure once until one succeeds again.
    m_fakes->store.commitSucceeds = false;
    editPrice("1");
    editPrice("2");
    QCOMPARE(messageTexts(), QStringList { failed });
    m_fakes->store.commitSucceeds = true;
    editPrice("3");
    QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/b2"), "3");
    m_fakes->store.commitSucceeds = false;
    editPrice("4");
    QCOMPARE(messageTexts(), QStringList({ failed, failed }));
    // A preset save tells every failure, and so does the close.
    trigger("BC1");
    trigger("BC1");
    window()->close();
    QCOMPARE(messageTexts(), QStringList(5, failed));
}

void TestPresets::savesAndLoadsPresets()
{
    prices().setTable(3, numberedTable("丁"));
    start("2");
    QTest::keyClicks(child(window(), "Text2"), "3");
    window()->setPriceTable(numberedTable("甲"));
    trigger("BC2");
    window()->setPriceTable(numberedTable("乙"));
    trigger("BC2");
    QVERIFY(prices().table(2) == numberedTable("乙"));

    trigger("DQ3");
    QVERIFY(window()->priceTable() == numberedTable("丁"));
    QVERIFY(prices().table(automaticTable) == numberedTable("丁"));

    // A store file that had to be kept aside is told once, with where it went.
    m_fakes->store.keptCopy = "/fake/store.conf.2.bak";
    trigger("CSH");
    QVERIFY(window()->priceTable() == defaultPriceTable());
    QVERIFY(prices().table(automaticTable) == defaultPriceTable());
    QCOMPARE(window()->row(2).quantity(), "3");

    // Re-initialising erased no preset; a slot never saved loads as "设置" and "0".
    trigger("DQ2");
    QVERIFY(window()->priceTable() == numberedTable("乙"));
    trigger("DQ4");
    PriceTable unsaved;
    unsaved.fill({ "设置", "0" });
    QVERIFY(window()->priceTable() == unsaved);
    QCOMPARE(messageTexts(),
             QStringList({ "将价格表保存到方案二完成！|保存", "将价格表保存到方案二完成！|保存",
                           "读取方案三成功！|读取",
                           "设置文件已损坏，已另存为备份：\n/fake/store.conf.2.bak|提示",
                           "初始化成功！|初始化", "读取方案二成功！|读取",
                           "读取方案四成功！|读取" }));
}

void TestPresets::previewShowsAndLoadsSlots()
{
    prices().setTable(4, numberedTable("戊"));
    start("2");
    trigger("CK1");
    PreviewWindow *shown = preview();
    trigger("CK4");
    QCOMPARE(preview(), shown);
    QCOMPARE(shown->windowTitle(), "方案四");
    QCOMPARE(child<QLabel>(shown, "Label9")->text(), "戊9 = 900");
    // Loading from the menu leaves the preview as it is; its button loads its own slot.
    trigger("DQ1");
    QCOMPARE(child<QPushButton>(shown, "Command1")->text(), "调用方案四");
    click(shown, "Command1");
    QVERIFY(window()->priceTable() == numberedTable("戊"));
    QCOMPARE(messageTexts().last(), "读取方案四成功！|读取");
    QVERIFY(shown->isHidden());

    // The title-bar close discards it; the next view makes a new one.
    shown->close();
    GuiTest::settle();
    QVERIFY(!preview());
    trigger("CK3");
    PriceTable awkward = defaultPriceTable();
    awkward[0] = { "a = b", "1" };
    awkward[1] = { "盐&铁", "&&" };
    awkward[2] = { "<b>x</b>", "9" };
    window()->setPriceTable(awkward);
    trigger("BC3");
    trigger("CSH");
    // It still shows the slot as it was; its button reads what is stored now.
    QCOMPARE(child<QLabel>(preview(), "Label1")->text(), "设置 = 0");
    click(preview(), "Command1");
    QVERIFY(window()->priceTable() == awkward);

    trigger("CK3");
    const QStringList expected = { "a = b = 1", "盐&铁 = &&", "<b>x</b> = 9" };
    // A name far too long for its line shows its two ends.
    window()->row(4).setName(QString(2000000, u'长'));
    trigger("BC5");
    trigger("CK5");
    auto *longLine = child<QLabel>(preview(), "Label4");
    QVERIFY(longLine->text().contains(u'…'));
    QVERIFY(longLine->fontMetrics().horizontalAdvance(longLine->text()) <= longLine->width());
    trigger("CK3");
    for (int row = 1; row <= expected.size(); ++row) {
        auto *line = child<QLabel>(preview(), "Label" + QString::number(row));
        // Whole, or its two ends where a wide font leaves no room.
        const QStringList ends = line->text().split(u'…');
        QVERIFY2(expected.at(row - 1).startsWith(ends.first())
                         && expected.at(row - 1).endsWith(ends.last()),
                 qPrintable(line->text()));
        QCOMPARE(line->textFormat(), Qt::PlainText);
    }
}

void TestPresets::keepsBothInstancesEdits_data()
{
    QTest::addColumn<bool>("firstClosesFirst");
    QTest::newRow("first closes first") << true;
    QTest::newRow("second closes first") << false;
}

// Two instances on one store file: each writes only what it changed, and both runs count.
void TestPresets::keepsBothInstancesEdits()
{
    QFETCH(bool, firstClosesFirst);
    QTemporaryDir folder;
    const QString fileName = folder.filePath("Ormek商人计算器.conf");
    {
        FileSettingsStore store(fileName);
        PriceStore stored(store);
        stored.setTable(automaticTable, numberedTable("存"));
        store.setValue("使用次数", "N", "5");
        QVERIFY(stored.commit());
    }
    struct Instance
    {
        FakePlatform fakes;
        FileSettingsStore store;
        Platform platform { store, fakes.dialogs, fakes.launcher, fakes.clipboard, fakes.clock };
        Program program { platform };
    };
    Instance first { {}, FileSettingsStore(fileName) };
    Instance second { {}, FileSettingsStore(fileName) };
    first.program.start();
    second.program.start();
    MainWindow *firstWindow = first.program.mainWindow();
    MainWindow *secondWindow = second.program.mainWindow();

    first.fakes.dialogs.answers = { "111" };
    click(firstWindow, "s1");
    second.fakes.dialogs.answers = { "乙2", "333" };
    click(secondWindow, "btn2");
    click(secondWindow, "s3");
    // A preset saved by one is what the other sees of it.
    child<QAction>(firstWindow, "BC4")->trigger();
    child<QAction>(secondWindow, "CK4")->trigger();
    QCOMPARE(child<QLabel>(second.program.priceKeeper()->previewWindow(), "Label1")->text(),
             "存1 = 111");
    (firstClosesFirst ? firstWindow : secondWindow)->close();
    (firstClosesFirst ? secondWindow : firstWindow)->close();

    FileSettingsStore store(fileName);
    PriceStore stored(store);
    PriceTable expected = numberedTable("存");
    expected[0].price = "111";
    expected[1].name = "乙2";
    expected[2].price = "333";
    QVERIFY(stored.table(automaticTable) == expected);
    QCOMPARE(stored.runCount(), "7");
}

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
