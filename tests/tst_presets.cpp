// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/settingsstore.h"
#include "presets/previewwindow.h"
#include "presets/savedtables.h"
#include "presets/tablepersistence.h"
#include "program/program.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QSignalSpy>
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
        QTest::newRow("count not a number") << "很多" << true << false << "1";
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
        PriceTable expected = numberedTable("存");
        if (welcomed)
            expected = defaultPriceTable();
        else if (!withTable)
            expected.fill({ "设置", "0" });
        QVERIFY(window()->priceTable() == expected);
        if (welcomed)
            QCOMPARE(window()->row(9).name() + window()->row(9).price(), "碳50");

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

    void sharesAFirstRunWithAnotherCopy_data()
    {
        QTest::addColumn<QString>("secondCopy");
        QTest::addColumn<QString>("nameOfRow1");
        QTest::addColumn<QString>("nameOfRow5");
        QTest::newRow("second closes first") << "closes first"
                                             << "第一"
                                             << "狂乱强韧";
        QTest::newRow("second closes last") << "closes last"
                                            << "第一"
                                            << "狂乱强韧";
        QTest::newRow("second renames row 5") << "renames row 5"
                                              << "第一"
                                              << "第五";
        QTest::newRow("second initialises") << "initialises"
                                            << "灵魂灾难"
                                            << "狂乱强韧";
    }

    // Two copies started on an empty store at once: each writes the built-in table only where
    // nothing is stored, and after that only what it changed; a whole-table command writes it
    // all. An edit does not wait for its save, which lands once another writer's lock is free.
    void sharesAFirstRunWithAnotherCopy()
    {
        QFETCH(QString, secondCopy);
        QFETCH(QString, nameOfRow1);
        QFETCH(QString, nameOfRow5);
        QTemporaryDir folder;
        const QString fileName = folder.filePath("store.conf");
        SettingsStore firstStore(fileName, QSettings::IniFormat);
        SettingsStore secondStore(fileName, QSettings::IniFormat);
        FakePlatform &f = *m_fakes;
        Platform firstPlatform = f.with(firstStore);
        Platform secondPlatform = f.with(secondStore);
        Program first(firstPlatform);
        Program second(secondPlatform);
        first.start();
        second.start();
        QCOMPARE(f.dialogs.messages.size(), 2);
        f.dialogs.messages.clear();
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
        QVERIFY(child<QLabel>(first.previewWindow(), "Label1")
                        ->text()
                        .startsWith(second.mainWindow()->row(1).name()));
        if (secondCopy == "closes last")
            QVERIFY(first.mainWindow()->close());
        QVERIFY(second.mainWindow()->close());
        if (first.mainWindow())
            QVERIFY(first.mainWindow()->close());

        SettingsStore after(fileName, QSettings::IniFormat);
        const PriceTable stored = SavedTables(after).table(automaticTable);
        QCOMPARE(stored[0].name, nameOfRow1);
        QCOMPARE(stored[4].name, nameOfRow5);
        QVERIFY(std::equal(stored.begin() + 5, stored.end(), defaultPriceTable().begin() + 5));
        QCOMPARE(SavedTables(after).runCount(), "2");
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
        m_fakes->store.keptCopy = "/fake/store.conf.2.bak";
        trigger("BC2");
        QVERIFY(prices().table(1) == numberedTable("甲"));
        QVERIFY(prices().table(2) == numberedTable("乙"));
        QVERIFY(prices().table(automaticTable) == unset);

        trigger("CK1");
        QWidget *preview = GuiTest::shownWindow("Form3");
        QVERIFY(preview);
        trigger("CK5");
        QCOMPARE(GuiTest::shownWindow("Form3"), preview);
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
        QVERIFY(GuiTest::countPixels(line, qRgb(255, 0, 0)) >= 3);
        auto *longLine = child<QLabel>(preview, "Label2");
        QVERIFY(longLine->text().contains(u'…'));
        QVERIFY(longLine->fontMetrics().horizontalAdvance(longLine->text()) <= longLine->width());
        // The whole line, or as much as anyone reads, where the mouse rests on it.
        QVERIFY(longLine->toolTip().contains(QString(50, u'长')));
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
