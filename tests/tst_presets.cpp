#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "store/previewwindow.h"
#include "store/pricekeeper.h"
#include "store/pricestore.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

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
    void tellsFailedSaves();
    void savesAndLoadsPresets();
    void previewShowsAndLoadsSlots();

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
    QCOMPARE(m_fakes->store.values.size(), 19);
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
    QTest::addColumn<bool>("accepted");
    const char16_t controls[] = u"a\0b\x01\tc\r\nd\x7f\u200e\u202e";

    QTest::newRow("price: empty is a cancel") << true << "" << false;
    QTest::newRow("price: blanks") << true << "   " << false;
    QTest::newRow("price: letters") << true << "abc" << false;
    QTest::newRow("price: nan") << true << "nan" << false;
    QTest::newRow("price: inf") << true << "inf" << false;
    QTest::newRow("price: beyond double") << true << "1e999" << false;
    QTest::newRow("price: hexadecimal") << true << "0x10" << false;
    QTest::newRow("price: full-width") << true << "１２" << false;
    QTest::newRow("price: decimal comma") << true << "1.234,5" << false;
    QTest::newRow("price: 10,000 digits") << true << QString(u'1' + QString(9999, u'0')) << false;
    QTest::newRow("price: minus zero") << true << "-0" << true;
    QTest::newRow("price: blanks around") << true << " 12 " << true;
    QTest::newRow("price: grouped") << true << "3,000" << true;
    QTest::newRow("price: 1e308") << true << "1e308" << true;
    QTest::newRow("name: emoji") << false << "🍎苹果😀" << true;
    QTest::newRow("name: right to left") << false << "تفاح אבג 12" << true;
    QTest::newRow("name: control characters")
            << false << QString::fromUtf16(controls, std::size(controls) - 1) << true;
    QTest::newRow("name: 100,000 characters") << false << QString(100000, u'长') << true;
}

void TestPresets::keepsOrRefusesOddAnswers()
{
    QFETCH(bool, price);
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    m_fakes->store.values = { { "物品名称及价格储存/a3", "盐" }, { "物品名称及价格储存/b3", "7" } };
    start("1");
    ItemRow &row = window()->row(3);
    m_dialogs->answers = { answer };
    click(window(), price ? "s3" : "btn3");

    const QString kept = accepted ? answer : QString(price ? "7" : "盐");
    QCOMPARE(price ? row.price() : row.name(), kept);
    QCOMPARE(m_fakes->store.values.value(price ? "物品名称及价格储存/b3" : "物品名称及价格储存/a3"),
             kept);
    QCOMPARE(messageTexts(),
             accepted || answer.isEmpty() ? QStringList()
                                          : QStringList { "单价必须是数字！|设置物品单价" });
}

void TestPresets::tellsFailedSaves()
{
    start("2");
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

    // A store file that had to be kept aside is told once.
    m_fakes->store.backupNotice = true;
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
                           "读取方案三成功！|读取", "设置文件已损坏，已另存为备份。|提示",
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
    awkward[0] = { "a = b", "1 = 2" };
    awkward[1] = { "盐&铁", "&&" };
    awkward[2] = { "<b>x</b>", "<i>9</i>" };
    window()->setPriceTable(awkward);
    trigger("BC3");
    trigger("CSH");
    // It still shows the slot as it was; its button reads what is stored now.
    QCOMPARE(child<QLabel>(preview(), "Label1")->text(), "设置 = 0");
    click(preview(), "Command1");
    QVERIFY(window()->priceTable() == awkward);

    trigger("CK3");
    const QStringList expected = { "a = b = 1 = 2", "盐&铁 = &&", "<b>x</b> = <i>9</i>" };
    for (int row = 1; row <= expected.size(); ++row) {
        auto *line = child<QLabel>(preview(), "Label" + QString::number(row));
        QCOMPARE(line->text(), expected.at(row - 1));
        QCOMPARE(line->textFormat(), Qt::PlainText);
    }
}

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
