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
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

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

// The price table in the store: start-up, automatic save, presets and the preview window.
class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void countsRuns_data();
    void countsRuns();
    void startsFromTheStore_data();
    void startsFromTheStore();
    void savesEveryEditAndAtClose();
    void tellsFailedSaves();
    void savesPresetsApart();
    void loadsPresetsAndResets();
    void previewShowsAndLoadsSlots();
    void previewShowsNamesLiterallyAndReadsTheStoreAfresh();

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

void TestPresets::countsRuns_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("firstRun");
    QTest::addColumn<QString>("sycs");
    QTest::newRow("never run") << "0" << true << "1";
    QTest::newRow("minus zero") << "-0" << true << "1";
    QTest::newRow("after one run") << "1" << false << "2";
    QTest::newRow("beyond 32 bits") << "123456789012" << false << "123456789013";
    QTest::newRow("fraction") << "2.5" << false << "3.5";
    QTest::newRow("empty") << "" << false << "1";
    QTest::newRow("words") << "五" << false << "1";
    QTest::newRow("infinite") << "1e999" << false << "1";
}

void TestPresets::countsRuns()
{
    QFETCH(QString, stored);
    QFETCH(bool, firstRun);
    QFETCH(QString, sycs);
    const RunCount run = countThisRun(stored);
    QCOMPARE(run.sycs, sycs);
    QCOMPARE(run.firstRun, firstRun);
}

void TestPresets::startsFromTheStore_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("withTable");
    QTest::addColumn<bool>("welcomed");
    QTest::addColumn<QString>("nextCount");
    QTest::newRow("no count, a table") << QString() << true << true << "1";
    QTest::newRow("count 0, a table") << "0" << true << true << "1";
    QTest::newRow("count 1, a table") << "1" << true << false << "2";
    QTest::newRow("count 5, no table") << "5" << false << false << "6";
    QTest::newRow("count not a number") << "很多" << true << false << "1";
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
    QCOMPARE(m_fakes->store.commits, 0);
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window());
    m_fakes->store.commitSucceeds = false;
    QVERIFY(m_program->saveSession());
    QCOMPARE(m_fakes->store.commits, 4);
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

void TestPresets::savesPresetsApart()
{
    start("2");
    window()->setPriceTable(numberedTable("甲"));
    trigger("BC2");
    window()->setPriceTable(numberedTable("乙"));
    trigger("BC2");
    window()->setPriceTable(numberedTable("丙"));
    trigger("BC5");

    QVERIFY(prices().table(2) == numberedTable("乙"));
    QVERIFY(prices().table(5) == numberedTable("丙"));
    // Nothing else was written: the run count and two slots of nine rows.
    QCOMPARE(m_fakes->store.values.size(), 1 + 2 * 18);
    QCOMPARE(messageTexts(),
             QStringList({ "将价格表保存到方案二完成！|保存", "将价格表保存到方案二完成！|保存",
                           "将价格表保存到方案五完成！|保存" }));
}

void TestPresets::loadsPresetsAndResets()
{
    prices().setTable(3, numberedTable("丁"));
    start("2");
    QTest::keyClicks(child(window(), "Text2"), "3");

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
    trigger("DQ3");
    QVERIFY(window()->priceTable() == numberedTable("丁"));
    trigger("DQ4");
    PriceTable unsaved;
    unsaved.fill({ "设置", "0" });
    QVERIFY(window()->priceTable() == unsaved);
    QCOMPARE(messageTexts(),
             QStringList({ "读取方案三成功！|读取", "设置文件已损坏，已另存为备份。|提示",
                           "初始化成功！|初始化", "读取方案三成功！|读取",
                           "读取方案四成功！|读取" }));
}

void TestPresets::previewShowsAndLoadsSlots()
{
    prices().setTable(4, numberedTable("戊"));
    start("2");
    QVERIFY(!preview());
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!preview());
    trigger("CK5");
    QVERIFY(preview()->isVisible());

    // Without a slot shown, the button only hides.
    PreviewWindow blank;
    QSignalSpy loads(&blank, &PreviewWindow::loadRequested);
    blank.show();
    QCOMPARE(child<QPushButton>(&blank, "Command1")->text(), "调用此方案");
    click(&blank, "Command1");
    QCOMPARE(loads.size(), 0);
    QVERIFY(blank.isHidden());
}

void TestPresets::previewShowsNamesLiterallyAndReadsTheStoreAfresh()
{
    start("2");
    trigger("CK3");
    PriceTable awkward = defaultPriceTable();
    awkward[0] = { "a = b", "1 = 2" };
    awkward[1] = { "盐&铁", "&&" };
    awkward[2] = { "<b>x</b>", "<i>9</i>" };
    awkward[3] = { "   ", "\"5\";" };
    window()->setPriceTable(awkward);
    trigger("BC3");
    trigger("CSH");
    // The preview still shows the slot as it was; its button reads what is stored now.
    QCOMPARE(child<QLabel>(preview(), "Label1")->text(), "设置 = 0");
    click(preview(), "Command1");
    QVERIFY(window()->priceTable() == awkward);

    trigger("CK3");
    const QStringList expected = { "a = b = 1 = 2", "盐&铁 = &&", "<b>x</b> = <i>9</i>",
                                   "    = \"5\";" };
    for (int row = 1; row <= expected.size(); ++row) {
        auto *line = child<QLabel>(preview(), "Label" + QString::number(row));
        QCOMPARE(line->text(), expected.at(row - 1));
        QCOMPARE(line->textFormat(), Qt::PlainText);
    }
}

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
