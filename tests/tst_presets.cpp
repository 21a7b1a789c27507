// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/settingsstore.h"
#include "presets/previewwindow.h"
#include "presets/savedtables.h"
#include "program/program.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

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

} // namespace

// The price table in the store: start-up, edits and their saves, presets and the preview window.
class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fakes = new FakePlatform;
        m_program = new Program(m_fakes->platform);
    }

    void cleanup()
    {
        delete m_program;
        delete m_fakes;
    }

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
    }

    void startsFromTheStore()
    {
        QFETCH(QString, count);
        QFETCH(bool, withTable);
        QFETCH(bool, welcomed);
        QFETCH(QString, nextCount);
        if (!count.isNull())
            m_fakes->store.values.insert("使用次数/N", count);
        if (withTable)
            prices().setTable(automaticTable, numberedTable("存"));
        // The first run is greeted before the window shows, and nothing is written until the close.
        bool windowShown = false;
        m_fakes->dialogs.onMessage = [&] {
            windowShown = window() && window()->isVisible();
        };
        start();
        QCOMPARE(messages(),
                 welcomed ? QStringList { "欢迎使用Ormek商人计算器，本机是第一次运行本软件，将调用"
                                          "默认设置！往后程序会自动保存你的设置！|欢迎使用" }
                          : QStringList());
        QVERIFY(!windowShown);
        QCOMPARE(m_fakes->store.commits, 0);
        PriceTable expected = welcomed ? defaultPriceTable() : numberedTable("存");
        // Rows never stored.
        if (!welcomed && !withTable)
            expected.fill({ "设置", "0" });
        QVERIFY(window()->priceTable() == expected);
        window()->close();
        QCOMPARE(m_fakes->store.values.value("使用次数/N"), nextCount);
        // Only what was not stored yet is written.
        QCOMPARE(m_fakes->store.values.size(), withTable || welcomed ? 19 : 1);
        QVERIFY(prices().table(automaticTable) == expected);
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
        m_fakes->store.unreadable = unreadable;
        start(unreadable ? "0" : "2");
        QCOMPARE(messages(),
                 unreadable
                         ? QStringList { "无法读取设置文件（不是普通文件、大于 10 MB 或不可读），"
                                         "本次不会改写它：\n/fake/store.conf|提示" }
                         : QStringList());
        m_fakes->dialogs.messages.clear();
        const QString failed = "保存失败！|保存";
        auto editPrice = [this](const char *price, bool succeeds) {
            m_fakes->store.commitSucceeds = succeeds;
            m_fakes->dialogs.answers = { price };
            click(window(), "s2");
        };
        // Automatic saves tell a failure once until one succeeds again; a damaged store file
        // that a save had to keep aside is told with where it went.
        editPrice("1", false);
        editPrice("2", false);
        QCOMPARE(messages(), QStringList { failed });
        m_fakes->store.keptCopy = "/fake/store.conf.bak";
        editPrice("3", true);
        QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/b2"), "3");
        editPrice("4", false);
        // Back to what is stored: the failed "4" is not written later.
        editPrice("3", true);
        QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/b2"), "3");
        m_fakes->store.commitSucceeds = false;
        // A preset save tells every failure.
        trigger("BC1");
        trigger("BC1");
        m_fakes->store.keptCopy = "/fake/store.conf.2.bak";
        // A close whose save fails asks whether to try again; going back keeps the window open.
        m_fakes->dialogs.questions.clear();
        m_fakes->dialogs.answers = { "重新保存", "返回" };
        QVERIFY(!window()->close());
        const QString kept = "设置文件已损坏，已另存为备份：\n/fake/store.conf";
        QCOMPARE(messages(),
                 QStringList({ failed, kept + ".bak|提示", failed, failed, failed,
                               kept + ".2.bak|提示" }));
        const QString question =
                "保存失败！价格表的修改还没有保存。|保存|重新保存/不保存，直接关闭/返回";
        QCOMPARE(m_fakes->dialogs.questions, QStringList({ question, question }));
        // It closes once a save succeeds, or when the user chooses to lose the changes.
        if (unreadable)
            m_fakes->dialogs.answers = { "不保存，直接关闭" };
        else
            m_fakes->store.commitSucceeds = true;
        QVERIFY(window()->close());
        QCOMPARE(m_fakes->dialogs.questions.size(), unreadable ? 3 : 2);
    }

    // Two copies started on an empty store at once: each writes the built-in table only where
    // nothing is stored, and after that only what it changed; a whole-table command writes it
    // all. An edit does not wait for its save, which lands once another writer's lock is free.
    void sharesAFirstRunWithAnotherCopy_data()
    {
        QTest::addColumn<QString>("secondCopy");
        for (const char *secondCopy :
             { "closes first", "closes last", "renames row 5", "initialises" })
            QTest::newRow(secondCopy) << QString(secondCopy);
    }

    void sharesAFirstRunWithAnotherCopy()
    {
        QFETCH(QString, secondCopy);
        QTemporaryDir folder;
        const QString fileName = folder.filePath("store.conf");
        SettingsStore firstStore(fileName, QSettings::IniFormat);
        SettingsStore secondStore(fileName, QSettings::IniFormat);
        FakePlatform &f = *m_fakes;
        Platform platforms[] = { f.with(firstStore), f.with(secondStore) };
        Program first(platforms[0]), second(platforms[1]);
        first.start();
        second.start();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QLockFile otherWriter(fileName + ".lock");
        QVERIFY(otherWriter.lock());
        firstStore.setLockTimeout(60000);
        QSignalSpy saved(&firstStore, &SettingsStore::saved);
        f.dialogs.answers = { "第一" };
        click(first.mainWindow(), "btn1");
        QVERIFY(saved.isEmpty());
        otherWriter.unlock();
        QVERIFY(saved.wait(60000) && saved.first().first().toBool());
        if (secondCopy == "renames row 5") {
            f.dialogs.answers = { "第五" };
            click(second.mainWindow(), "btn5");
        } else if (secondCopy == "initialises") {
            child<QAction>(second.mainWindow(), "CSH")->trigger();
        }
        // A preset the other copy saved shows in the preview.
        child<QAction>(second.mainWindow(), "BC1")->trigger();
        child<QAction>(first.mainWindow(), "CK1")->trigger();
        const QString shown = child<QLabel>(first.previewWindow(), "Label1")->text();
        QVERIFY(shown.startsWith(second.mainWindow()->row(1).name()));
        if (secondCopy == "closes last")
            QVERIFY(first.mainWindow()->close());
        QVERIFY(second.mainWindow()->close());
        if (first.mainWindow())
            QVERIFY(first.mainWindow()->close());

        SettingsStore after(fileName, QSettings::IniFormat);
        const PriceTable stored = SavedTables(after).table(automaticTable);
        QCOMPARE(stored[0].name, secondCopy == "initialises" ? "灵魂灾难" : "第一");
        QCOMPARE(stored[4].name, secondCopy == "renames row 5" ? "第五" : "狂乱强韧");
        QVERIFY(std::equal(stored.begin() + 5, stored.end(), defaultPriceTable().begin() + 5));
        QCOMPARE(SavedTables(after).runCount(), "2");
    }

    // Slots are kept apart from each other and from the table on screen; a store file that had
    // to be kept aside is told first, with where it went.
    void savesASlot()
    {
        prices().setTable(3, numberedTable("丙"));
        start("2");
        window()->setPriceTable(numberedTable("甲"));
        trigger("BC1");
        window()->setPriceTable(numberedTable("乙"));
        m_fakes->store.keptCopy = "/fake/store.conf.2.bak";
        trigger("BC5");
        QVERIFY(prices().table(1) == numberedTable("甲"));
        QVERIFY(prices().table(3) == numberedTable("丙"));
        QVERIFY(prices().table(5) == numberedTable("乙"));
        // The count, slot 3 and the two saved: no table on screen is written.
        QCOMPARE(m_fakes->store.values.size(), 1 + 3 * 18);
        QCOMPARE(messages(),
                 QStringList({ "将价格表保存到方案一完成！|保存",
                               "设置文件已损坏，已另存为备份：\n/fake/store.conf.2.bak|提示",
                               "将价格表保存到方案五完成！|保存" }));
    }

    // One preview window shows a slot as stored: "设置" and "0" where nothing is, names and
    // prices as written, and the two ends of a line too long for it.
    void viewsASlot()
    {
        PriceTable awkward = numberedTable("戊");
        awkward[0] = { "<b>x</b>", "9" };
        awkward[1] = { QString(2000000, u'长'), "1" };
        prices().setTable(5, awkward);
        start("2");
        trigger("CK4");
        QWidget *preview = GuiTest::shownWindow("Form3");
        QVERIFY(preview);
        QCOMPARE(child<QLabel>(preview, "Label3")->text(), "设置 = 0");
        trigger("CK5");
        QCOMPARE(GuiTest::shownWindow("Form3"), preview);
        QCOMPARE(preview->windowTitle(), "方案五");
        auto *line = child<QLabel>(preview, "Label1");
        // Whole, or its two ends where a wide font leaves no room.
        const QStringList ends = line->text().split(u'…');
        QVERIFY(QString("<b>x</b> = 9").startsWith(ends.first()));
        QVERIFY(QString("<b>x</b> = 9").endsWith(ends.last()));
        QCOMPARE(line->textFormat(), Qt::PlainText);
        auto *longLine = child<QLabel>(preview, "Label2");
        QVERIFY(longLine->text().contains(u'…'));
        QVERIFY(longLine->fontMetrics().horizontalAdvance(longLine->text()) <= longLine->width());
        // The whole line, or as much as anyone reads, where the mouse rests on it.
        QVERIFY(longLine->toolTip().contains(QString(50, u'长')));
    }

    void loadsATable_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("loaded"); // empty: the built-in table
        QTest::addColumn<QString>("told");
        QTest::newRow("slot 1 from the menu") << "DQ1" << QString("甲") << "读取方案一成功！|读取";
        QTest::newRow("the built-in table") << "CSH" << QString() << "初始化成功！|初始化";
        QTest::newRow("slot 5 from its preview")
                << "CK5" << QString("己") << "读取方案五成功！|读取";
    }

    // A load shows the table and stores it as the one on screen; the quantities stay. The
    // preview's button loads its slot as stored when pressed, whatever the menu loaded meanwhile.
    void loadsATable()
    {
        QFETCH(QString, command);
        QFETCH(QString, loaded);
        QFETCH(QString, told);
        prices().setTable(1, numberedTable("甲"));
        prices().setTable(5, numberedTable("戊"));
        start("2");
        QTest::keyClicks(child(window(), "Text2"), "3");
        trigger(command.toLatin1());
        if (QWidget *preview = GuiTest::shownWindow("Form3")) {
            trigger("DQ1");
            m_fakes->dialogs.messages.clear();
            prices().setTable(5, numberedTable("己"));
            click(preview, "Command1");
            QVERIFY(preview->isHidden());
        }
        const PriceTable expected = loaded.isEmpty() ? defaultPriceTable() : numberedTable(loaded);
        QVERIFY(window()->priceTable() == expected);
        QVERIFY(prices().table(automaticTable) == expected);
        // Written at once, not at the next edit or the close.
        QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/a9"), expected[8].name);
        QCOMPARE(window()->row(2).quantity(), "3");
        QCOMPARE(messages(), { told });
    }

private:
    void start(const char *runCount = nullptr)
    {
        if (runCount)
            m_fakes->store.values.insert("使用次数/N", runCount);
        m_program->start();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }

    MainWindow *window() const { return m_program->mainWindow(); }
    void trigger(const char *action) { child<QAction>(window(), action)->trigger(); }
    SavedTables prices() { return SavedTables(m_fakes->store); }
    QStringList messages() const { return m_fakes->dialogs.messages; }

    FakePlatform *m_fakes = nullptr;
    Program *m_program = nullptr;
};

ORMEK_GUI_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
