#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "platform/qtsettingsstore.h"
#include "store/previewwindow.h"
#include "store/pricekeeper.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>

namespace {

const QString welcome = QStringLiteral("欢迎使用Ormek商人计算器，本机是第一次运行本软件，将调用默认"
                                       "设置！往后程序会自动保存你的设置！");
const QString automaticSection = QStringLiteral("物品名称及价格储存/");

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
            shown = shown
                    || (window->objectName() == QLatin1String("Form1") && window->isVisible());
        mainWindowShown.append(shown);
        FakeDialogs::showMessage(prompt, title);
    }

    QList<bool> mainWindowShown;
};

} // namespace

class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void greetsTheFirstRunBeforeTheWindow();
    void startsFromTheStore_data();
    void startsFromTheStore();
    void savesEveryEditAndAtClose();
    void tellsAFailedSaveWithoutNagging();
    void tellsOnceAboutAKeptCopy();
    void savesPresetsApart();
    void tellsAFailedPresetSave();
    void loadsPresetsAndResets();
    void previewShowsAndLoadsSlots();
    void previewButtonReadsTheStoreAfresh();
    void previewShowsNamesLiterally();
    void previewWithoutASlotOnlyHides();
    void saveSessionAfterTheCloseDoesNothing();
    void keepsTheTableInTheRealStore();

private:
    void start();
    MainWindow *window() const { return m_program->mainWindow(); }
    void trigger(const QString &action) { window()->findChild<QAction *>(action)->trigger(); }
    void storeTable(int slot, const PriceTable &table);
    PriceTable storedTable(int slot) const;
    QStringList messageTexts() const;

    FakePlatform *m_fakes = nullptr;
    Program *m_program = nullptr;
};

void TestPresets::init()
{
    m_fakes = new FakePlatform;
    m_program = new Program(m_fakes->platform);
}

void TestPresets::cleanup()
{
    delete m_program;
    delete m_fakes;
}

void TestPresets::start()
{
    m_program->start();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
}

void TestPresets::storeTable(int slot, const PriceTable &table)
{
    PriceStore(m_fakes->store).setTable(slot, table);
}

PriceTable TestPresets::storedTable(int slot) const
{
    return PriceStore(m_fakes->store).table(slot);
}

QStringList TestPresets::messageTexts() const
{
    QStringList texts;
    for (const FakeDialogs::Box &box : m_fakes->dialogs.messages)
        texts << box.prompt + u'|' + box.title;
    return texts;
}

void TestPresets::greetsTheFirstRunBeforeTheWindow()
{
    FakeSettingsStore store;
    WatchingDialogs dialogs;
    Platform platform { store, dialogs, m_fakes->launcher, m_fakes->clipboard, m_fakes->clock };
    Program program(platform);
    program.start();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().prompt, welcome);
    QCOMPARE(dialogs.messages.first().title, QStringLiteral("欢迎使用"));
    QCOMPARE(dialogs.mainWindowShown, QList<bool> { false });
    QVERIFY(program.mainWindow()->isVisible());
    QVERIFY(program.mainWindow()->priceTable() == defaultPriceTable());
    QVERIFY(store.values.isEmpty());

    program.mainWindow()->close();
    QCOMPARE(store.values.size(), 19);
    QCOMPARE(store.values.value(QStringLiteral("使用次数/N")), QStringLiteral("1"));
    QVERIFY(PriceStore(store).table(automaticTable) == defaultPriceTable());
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
        m_fakes->store.values.insert(QStringLiteral("使用次数/N"), count);
    const PriceTable stored = numberedTable(QStringLiteral("存"));
    if (withTable)
        storeTable(automaticTable, stored);
    start();

    QCOMPARE(m_fakes->dialogs.messages.size(), welcomed ? 1 : 0);
    PriceTable expected;
    if (welcomed)
        expected = defaultPriceTable();
    else if (withTable)
        expected = stored;
    else
        expected.fill({ QStringLiteral("设置"), QStringLiteral("0") });
    QVERIFY(window()->priceTable() == expected);

    window()->close();
    QCOMPARE(m_fakes->store.values.value(QStringLiteral("使用次数/N")), nextCount);
    QVERIFY(storedTable(automaticTable) == expected);
}

void TestPresets::savesEveryEditAndAtClose()
{
    m_fakes->store.values.insert(QStringLiteral("使用次数/N"), QStringLiteral("2"));
    start();
    QCOMPARE(m_fakes->store.commits, 0);

    m_fakes->dialogs.answers = { QStringLiteral("4321") };
    QTest::mouseClick(window()->findChild<QLabel *>(QStringLiteral("s1")), Qt::LeftButton);
    QCOMPARE(m_fakes->store.commits, 1);
    QCOMPARE(m_fakes->store.values.value(automaticSection + QStringLiteral("b1")),
             QStringLiteral("4321"));
    QCOMPARE(m_fakes->store.values.value(QStringLiteral("使用次数/N")), QStringLiteral("3"));

    m_fakes->dialogs.answers = { QStringLiteral("  蓝冰 & <b>x</b> ") };
    QTest::mouseClick(window()->findChild<QPushButton *>(QStringLiteral("btn9")), Qt::LeftButton);
    QCOMPARE(m_fakes->store.values.value(automaticSection + QStringLiteral("a9")),
             QStringLiteral("  蓝冰 & <b>x</b> "));

    // Quantities are never stored.
    QTest::keyClicks(window()->findChild<QLineEdit *>(QStringLiteral("Text1")), "12");
    window()->close();
    QCOMPARE(m_fakes->store.commits, 3);
    for (const QString &value : m_fakes->store.values)
        QVERIFY(value != QStringLiteral("12"));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPresets::tellsAFailedSaveWithoutNagging()
{
    start();
    m_fakes->dialogs.messages.clear();
    const QString failed = QStringLiteral("保存失败！|保存");
    auto editPrice = [this](const char *price) {
        m_fakes->dialogs.answers = { QString::fromLatin1(price) };
        QTest::mouseClick(window()->findChild<QLabel *>(QStringLiteral("s2")), Qt::LeftButton);
    };

    m_fakes->store.commitSucceeds = false;
    editPrice("1");
    editPrice("2");
    QCOMPARE(messageTexts(), QStringList { failed });
    m_fakes->store.commitSucceeds = true;
    editPrice("3");
    QCOMPARE(messageTexts().size(), 1);
    m_fakes->store.commitSucceeds = false;
    editPrice("4");
    QCOMPARE(messageTexts(), QStringList({ failed, failed }));
    window()->close();
    QCOMPARE(messageTexts(), QStringList({ failed, failed, failed }));
}

void TestPresets::tellsOnceAboutAKeptCopy()
{
    m_fakes->store.values.insert(QStringLiteral("使用次数/N"), QStringLiteral("2"));
    start();
    m_fakes->store.backupNotice = true;
    trigger(QStringLiteral("CSH"));
    trigger(QStringLiteral("CSH"));
    QCOMPARE(messageTexts(),
             QStringList({ "设置文件已损坏，已另存为备份。|提示", "初始化成功！|初始化",
                           "初始化成功！|初始化" }));
}

void TestPresets::savesPresetsApart()
{
    start();
    m_fakes->dialogs.messages.clear();
    window()->setPriceTable(numberedTable(QStringLiteral("甲")));
    trigger(QStringLiteral("BC2"));
    window()->setPriceTable(numberedTable(QStringLiteral("乙")));
    trigger(QStringLiteral("BC2"));
    window()->setPriceTable(numberedTable(QStringLiteral("丙")));
    trigger(QStringLiteral("BC5"));

    QVERIFY(storedTable(2) == numberedTable(QStringLiteral("乙")));
    QVERIFY(storedTable(5) == numberedTable(QStringLiteral("丙")));
    for (int slot : { 1, 3, 4 })
        QVERIFY(!m_fakes->store.contains(PriceStore::section(slot), QStringLiteral("a1")));
    QVERIFY(!m_fakes->store.contains(PriceStore::section(automaticTable), QStringLiteral("a1")));
    QCOMPARE(messageTexts(),
             QStringList({ "将价格表保存到方案二完成！|保存", "将价格表保存到方案二完成！|保存",
                           "将价格表保存到方案五完成！|保存" }));
}

void TestPresets::tellsAFailedPresetSave()
{
    start();
    m_fakes->dialogs.messages.clear();
    m_fakes->store.commitSucceeds = false;
    trigger(QStringLiteral("BC1"));
    trigger(QStringLiteral("BC1"));
    QCOMPARE(messageTexts(), QStringList({ "保存失败！|保存", "保存失败！|保存" }));
}

void TestPresets::loadsPresetsAndResets()
{
    m_fakes->store.values.insert(QStringLiteral("使用次数/N"), QStringLiteral("2"));
    storeTable(3, numberedTable(QStringLiteral("丁")));
    start();
    QTest::keyClicks(window()->findChild<QLineEdit *>(QStringLiteral("Text2")), "3");

    trigger(QStringLiteral("DQ3"));
    QVERIFY(window()->priceTable() == numberedTable(QStringLiteral("丁")));
    QVERIFY(storedTable(automaticTable) == numberedTable(QStringLiteral("丁")));
    QCOMPARE(window()->row(2).quantity(), QStringLiteral("3"));
    window()->updateTotal();
    QCOMPARE(window()->findChild<QLabel *>(QStringLiteral("zj"))->text(), QStringLiteral("600"));

    trigger(QStringLiteral("CSH"));
    QVERIFY(window()->priceTable() == defaultPriceTable());
    QVERIFY(storedTable(automaticTable) == defaultPriceTable());
    QCOMPARE(window()->row(2).quantity(), QStringLiteral("3"));

    // Re-initialising erased no preset; a slot never saved loads as "设置" and "0".
    trigger(QStringLiteral("DQ3"));
    QVERIFY(window()->priceTable() == numberedTable(QStringLiteral("丁")));
    trigger(QStringLiteral("DQ4"));
    for (int row = 1; row <= 9; ++row) {
        QCOMPARE(window()->row(row).name(), QStringLiteral("设置"));
        QCOMPARE(window()->row(row).price(), QStringLiteral("0"));
    }
    QCOMPARE(messageTexts(),
             QStringList({ "读取方案三成功！|读取", "初始化成功！|初始化", "读取方案三成功！|读取",
                           "读取方案四成功！|读取" }));
}

void TestPresets::previewShowsAndLoadsSlots()
{
    m_fakes->store.values.insert(QStringLiteral("使用次数/N"), QStringLiteral("2"));
    storeTable(4, numberedTable(QStringLiteral("戊")));
    start();
    PriceKeeper *keeper = m_program->priceKeeper();
    QVERIFY(!keeper->previewWindow());

    trigger(QStringLiteral("CK1"));
    PreviewWindow *preview = keeper->previewWindow();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->objectName(), QStringLiteral("Form3"));
    QCOMPARE(preview->windowTitle(), QStringLiteral("方案一"));
    auto *button = preview->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(button->text(), QStringLiteral("调用方案一"));
    for (int row = 1; row <= 9; ++row) {
        auto *line = preview->findChild<QLabel *>(QStringLiteral("Label") + QString::number(row));
        QCOMPARE(line->text(), QStringLiteral("设置 = 0"));
    }

    trigger(QStringLiteral("CK4"));
    QCOMPARE(keeper->previewWindow(), preview);
    QCOMPARE(preview->windowTitle(), QStringLiteral("方案四"));
    QCOMPARE(preview->findChild<QLabel *>(QStringLiteral("Label9"))->text(),
             QStringLiteral("戊9 = 900"));

    // Loading from the menu leaves the preview as it is.
    trigger(QStringLiteral("DQ1"));
    QCOMPARE(button->text(), QStringLiteral("调用方案四"));
    QVERIFY(preview->isVisible());

    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(window()->priceTable() == numberedTable(QStringLiteral("戊")));
    QCOMPARE(messageTexts().last(), QStringLiteral("读取方案四成功！|读取"));
    QCOMPARE(keeper->previewWindow(), preview);
    QVERIFY(preview->isHidden());

    trigger(QStringLiteral("CK2"));
    QCOMPARE(keeper->previewWindow(), preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(button->text(), QStringLiteral("调用方案二"));

    // The title-bar close discards it; the next view makes a new one.
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!keeper->previewWindow());
    trigger(QStringLiteral("CK5"));
    QVERIFY(keeper->previewWindow());
    QVERIFY(keeper->previewWindow()->isVisible());
    QCOMPARE(keeper->previewWindow()->windowTitle(), QStringLiteral("方案五"));
}

void TestPresets::previewButtonReadsTheStoreAfresh()
{
    start();
    trigger(QStringLiteral("CK2"));
    window()->setPriceTable(numberedTable(QStringLiteral("己")));
    trigger(QStringLiteral("BC2"));
    trigger(QStringLiteral("CSH"));
    auto *line = m_program->priceKeeper()->previewWindow()->findChild<QLabel *>(
            QStringLiteral("Label1"));
    QCOMPARE(line->text(), QStringLiteral("设置 = 0"));

    QTest::mouseClick(m_program->priceKeeper()->previewWindow()->findChild<QPushButton *>(
                              QStringLiteral("Command1")),
                      Qt::LeftButton);
    QVERIFY(window()->priceTable() == numberedTable(QStringLiteral("己")));
}

void TestPresets::previewShowsNamesLiterally()
{
    start();
    PriceTable awkward = defaultPriceTable();
    awkward[0] = { QStringLiteral("a = b"), QStringLiteral("1 = 2") };
    awkward[1] = { QStringLiteral("盐&铁"), QStringLiteral("&&") };
    awkward[2] = { QStringLiteral("<b>x</b>"), QStringLiteral("<i>9</i>") };
    awkward[3] = { QStringLiteral("   "), QStringLiteral("\"5\";") };
    window()->setPriceTable(awkward);
    trigger(QStringLiteral("BC3"));
    trigger(QStringLiteral("CK3"));
    PreviewWindow *preview = m_program->priceKeeper()->previewWindow();
    const QStringList expected = { "a = b = 1 = 2", "盐&铁 = &&", "<b>x</b> = <i>9</i>",
                                   "    = \"5\";" };
    for (int row = 1; row <= expected.size(); ++row) {
        auto *line = preview->findChild<QLabel *>(QStringLiteral("Label") + QString::number(row));
        QCOMPARE(line->text(), expected.at(row - 1));
        QCOMPARE(line->textFormat(), Qt::PlainText);
    }
    trigger(QStringLiteral("CSH"));
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("Command1")),
                      Qt::LeftButton);
    QVERIFY(window()->priceTable() == awkward);
}

void TestPresets::previewWithoutASlotOnlyHides()
{
    PreviewWindow preview;
    QSignalSpy loads(&preview, &PreviewWindow::loadRequested);
    preview.show();
    auto *button = preview.findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(button->text(), QStringLiteral("调用此方案"));
    QCOMPARE(preview.windowTitle(), QStringLiteral("Form3"));
    QCOMPARE(preview.size(), QSize(145, 295));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(loads.size(), 0);
    QVERIFY(preview.isHidden());
}

void TestPresets::saveSessionAfterTheCloseDoesNothing()
{
    start();
    QVERIFY(m_program->saveSession());
    QCOMPARE(m_fakes->store.commits, 1);
    window()->close();
    QCOMPARE(m_fakes->store.commits, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window());
    m_fakes->store.commitSucceeds = false;
    QVERIFY(m_program->saveSession());
    QCOMPARE(m_fakes->store.commits, 2);
}

void TestPresets::keepsTheTableInTheRealStore()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("Ormek商人计算器.conf"));
    auto run = [&](const std::function<void(Program &)> &use) {
        QtSettingsStore store(fileName);
        Platform platform { store, m_fakes->dialogs, m_fakes->launcher, m_fakes->clipboard,
                            m_fakes->clock };
        Program program(platform);
        program.start();
        use(program);
        program.mainWindow()->close();
    };
    auto trigger = [](Program &program, const char *action) {
        program.mainWindow()->findChild<QAction *>(QLatin1String(action))->trigger();
    };

    PriceTable edited = defaultPriceTable();
    edited[2].price = QStringLiteral("9.5");
    run([&](Program &program) {
        m_fakes->dialogs.answers = { QStringLiteral("9.5") };
        QTest::mouseClick(program.mainWindow()->findChild<QLabel *>(QStringLiteral("s3")),
                          Qt::LeftButton);
        trigger(program, "BC2");
    });
    run([&](Program &program) {
        QVERIFY(program.mainWindow()->priceTable() == edited);
        trigger(program, "CSH");
    });
    run([&](Program &program) {
        QVERIFY(program.mainWindow()->priceTable() == defaultPriceTable());
        trigger(program, "CK2");
        QTest::mouseClick(program.priceKeeper()->previewWindow()->findChild<QPushButton *>(
                                  QStringLiteral("Command1")),
                          Qt::LeftButton);
        QVERIFY(program.mainWindow()->priceTable() == edited);
    });
    QCOMPARE(messageTexts(),
             QStringList({ welcome + QStringLiteral("|欢迎使用"),
                           QStringLiteral("将价格表保存到方案二完成！|保存"),
                           QStringLiteral("初始化成功！|初始化"),
                           QStringLiteral("读取方案二成功！|读取") }));
    QCOMPARE(QtSettingsStore(fileName).value(QStringLiteral("使用次数"), QStringLiteral("N"),
                                             QString()),
             QStringLiteral("3"));
}

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
