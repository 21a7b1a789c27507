#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "help/helptext.h"
#include "help/helpwindow.h"
#include "platform/qtlauncher.h"
#include "platform/shutdowncommand.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "store/previewwindow.h"
#include "store/pricekeeper.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtGui/private/qguiapplication_p.h>

using GuiTest::child;
using GuiTest::click;
using GuiTest::settle;

namespace {

// The real launcher, counting the outcomes it reports.
class CountingLauncher : public Launcher
{
public:
    void start(const QString &program, const QStringList &arguments, Outcome outcome) override
    {
        m_real.start(program, arguments, [this, outcome](bool succeeded) {
            ++outcomes;
            outcome(succeeded);
        });
    }
    bool openUrl(const QUrl &) override { return false; }

    int outcomes = 0;

private:
    QtLauncher m_real;
};

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The objects under each window, by window name, and the number of running timers.
QMap<QString, int> takeCensus()
{
    QMap<QString, int> census;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QObject *object : window->findChildren<QObject *>()) {
            ++census[window->objectName()];
            auto *timer = qobject_cast<QTimer *>(object);
            census["running timers"] += timer && timer->isActive();
        }
    }
    return census;
}

} // namespace

// One run: the windows the main window opens, their lifetime, the shutdown they lead to, and a
// day left running.
class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensTheSchedulerOnce();
    void opensHelpOnceWithItsAddress();
    void cancelOrCloseCountsAfresh();
    void savesWhatWasNotSaved_data();
    void savesWhatWasNotSaved();
    void endsWhenNothingIsVisibleOrBusy();
    void runsTheRealCommandFromPath_data();
    void runsTheRealCommandFromPath();
    void runsADayWithTwoSchedules();

private:
    void startProgram(Platform &platform);
    void endProgram();
    // Sets a countdown of five seconds and lets it fall due.
    CountdownWindow *triggerSchedule();

    FakePlatform *m_fakes = nullptr;
    Program *m_program = nullptr;
    QSignalSpy *m_finished = nullptr;
};

void TestProgram::init()
{
    m_fakes = new FakePlatform;
    // Past the first run: no welcome among the messages.
    m_fakes->store.values.insert("使用次数/N", "1");
    startProgram(m_fakes->platform);
}

void TestProgram::cleanup()
{
    endProgram();
    settle();
    delete m_fakes;
}

void TestProgram::startProgram(Platform &platform)
{
    endProgram();
    m_program = new Program(platform);
    m_finished = new QSignalSpy(m_program, &Program::finished);
    m_program->start();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->mainWindow()));
}

void TestProgram::endProgram()
{
    delete m_finished;
    m_finished = nullptr;
    delete m_program;
    m_program = nullptr;
}

CountdownWindow *TestProgram::triggerSchedule()
{
    Q_EMIT m_program->mainWindow()->schedulerRequested();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    GuiTest::freezeTimer(scheduler);
    QTest::keyClicks(child(scheduler, "Text3"), "5");
    click(scheduler, "Command2");
    m_fakes->clock.advance(5);
    scheduler->updateSchedule();
    CountdownWindow *countdown = m_program->countdownWindow();
    if (countdown)
        GuiTest::freezeTimer(countdown);
    return countdown;
}

void TestProgram::opensTheSchedulerOnce()
{
    Q_EMIT m_program->mainWindow()->schedulerRequested();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    scheduler->hide();
    Q_EMIT m_program->mainWindow()->schedulerRequested();
    QCOMPARE(m_program->schedulerWindow(), scheduler);
    QVERIFY(scheduler->isVisible());
}

void TestProgram::opensHelpOnceWithItsAddress()
{
    // A placeholder under the reserved domain until the program has a page of its own.
    const QString address = downloadAddress();
    QCOMPARE(QUrl(address).scheme(), "https");
    QVERIFY(QUrl(address).host() == "example.com" || QUrl(address).host().endsWith(".example.com"));
    QVERIFY(helpLines(address).at(3).startsWith("3、如不是在" + address + "上下载"));
    QVERIFY(helpLines(address).at(4).contains("然后去" + address + "下载软件"));
    QVERIFY(helpText(address).endsWith("祝各位生意兴隆！\n"));

    MainWindow *main = m_program->mainWindow();
    child<QAction>(main, "halp")->trigger();
    child<QAction>(main, "halp")->trigger();
    int helpWindows = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        helpWindows += widget->objectName() == "Form2";
    QCOMPARE(helpWindows, 1);
    HelpWindow *help = m_program->helpWindow();
    auto text = [this] {
        auto *shown = child<QPlainTextEdit>(m_program->helpWindow(), "RichTextBox1");
        return shown->isReadOnly() ? shown->toPlainText() : QString();
    };
    QCOMPARE(text(), helpText(address));
    auto *link = child<QLabel>(help, "Label9");
    QCOMPARE(link->text(), address);
    QCOMPARE(link->textFormat(), Qt::PlainText);

    click(help, "Command2");
    QCOMPARE(m_fakes->clipboard.text, address);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_fakes->launcher.openedUrls, QList<QUrl>({ QUrl(address) }));
    m_fakes->launcher.openUrlSucceeds = false;
    QTest::mouseClick(link, Qt::LeftButton);
    QStringList told;
    for (const FakeDialogs::Box &box : m_fakes->dialogs.messages)
        told << box.prompt + box.title;
    QCOMPARE(told, QStringList({ "复制成功！复制", "无法打开浏览器！提示" }));

    // "关闭" only hides; the frame's close discards it. Either way the text shows once.
    click(help, "Command1");
    QVERIFY(!help->isVisible());
    Q_EMIT main->helpRequested();
    QCOMPARE(text(), helpText(address));
    help->close();
    settle();
    QVERIFY(!m_program->helpWindow());
    Q_EMIT main->helpRequested();
    QCOMPARE(text(), helpText(address));
    QVERIFY(main->isVisible());
}

// Neither a cancel, which hides both windows, nor the frame's close, which discards the final
// one, starts the command; the next schedule counts ten seconds afresh.
void TestProgram::cancelOrCloseCountsAfresh()
{
    CountdownWindow *countdown = triggerSchedule();
    for (int i = 0; i < 4; ++i)
        countdown->updateCount();
    click(countdown, "Command2");
    QVERIFY(!countdown->isVisible());
    QVERIFY(!m_program->schedulerWindow()->isVisible());

    QCOMPARE(triggerSchedule(), countdown);
    QCOMPARE(child<QProgressBar>(countdown, "ProgressBar1")->value(), 0);
    QVERIFY(child<QLabel>(countdown, "Label1")->text().isEmpty());
    countdown->updateCount();
    countdown->close();
    settle();
    QVERIFY(!m_program->countdownWindow());
    QVERIFY(m_program->schedulerWindow()->isVisible());

    countdown = triggerSchedule();
    QCOMPARE(child<QProgressBar>(countdown, "ProgressBar1")->value(), 0);
    for (int i = 0; i < 10; ++i)
        countdown->updateCount();
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
}

// After the main window, the run lasts while a window is visible or a schedule runs.
void TestProgram::endsWhenNothingIsVisibleOrBusy()
{
    MainWindow *main = m_program->mainWindow();
    Q_EMIT main->helpRequested();
    m_program->helpWindow()->hide();
    Q_EMIT main->viewPresetRequested(2);
    PreviewWindow *preview = m_program->priceKeeper()->previewWindow();
    preview->hide();
    Q_EMIT main->schedulerRequested();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    GuiTest::freezeTimer(scheduler);
    QTest::keyClicks(child(scheduler, "Text3"), "30");
    click(scheduler, "Command2");
    click(scheduler, "Command3");
    main->close();
    settle();
    QVERIFY(!m_program->mainWindow());
    QCOMPARE(m_finished->size(), 0);

    // The hidden schedule still fires; closing its final window starts nothing.
    m_fakes->clock.advance(30);
    scheduler->updateSchedule();
    settle();
    QVERIFY(m_program->countdownWindow()->isVisible());
    preview->show();
    m_program->countdownWindow()->close();
    settle();
    QCOMPARE(m_finished->size(), 0);

    // With the main window gone the preview's button loads nothing; hiding it ends the run.
    click(preview, "Command1");
    settle();
    QVERIFY(preview->isHidden());
    QCOMPARE(m_finished->size(), 1);
    QVERIFY(m_fakes->launcher.starts.isEmpty());
    preview->show();
    preview->hide();
    settle();
    QCOMPARE(m_finished->size(), 1);
}

void TestProgram::savesWhatWasNotSaved_data()
{
    QTest::addColumn<bool>("sessionEnds");
    QTest::newRow("before the shutdown command") << false;
    QTest::newRow("when the desktop session ends") << true;
}

void TestProgram::savesWhatWasNotSaved()
{
    QFETCH(bool, sessionEnds);
    // A change the program has not saved yet, as when a store write failed.
    m_program->mainWindow()->row(1).setPrice("123");
    if (sessionEnds) {
        // What the platform does when the user logs off or the computer shuts down.
        QGuiApplicationPrivate::instance()->commitData();
    } else {
        click(triggerSchedule(), "Command1");
        QCOMPARE(m_fakes->launcher.starts.size(), 1);
    }
    QCOMPARE(m_fakes->store.values.value("物品名称及价格储存/b1"), "123");
}

void TestProgram::runsTheRealCommandFromPath_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::newRow("shuts down") << 0;
    QTest::newRow("fails") << 1;
    QTest::newRow("not on PATH") << -1;
    QTest::newRow("cannot be started") << -2;
}

// Through the real launcher. Stand-ins named like the shutdown programs are the only programs
// on PATH, and they only record how they were called.
void TestProgram::runsTheRealCommandFromPath()
{
    QFETCH(int, exitCode);
    QTemporaryDir standIns;
    const QString record = exitCode == -1
            ? standIns.filePath("started")
            : GuiTest::writeShutdownStandIns(standIns.path(), exitCode);
    QVERIFY(!record.isEmpty());
    if (exitCode == -2) {
        // Executable, but not a program.
        for (const QString &name : QDir(standIns.path()).entryList({ "shutdown*", "systemctl*" }))
            QVERIFY(writeFile(standIns.filePath(name), "not a program\n"));
    }
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QDir::toNativeSeparators(standIns.path())));
    auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });

    CountingLauncher launcher;
    Platform platform { m_fakes->store, m_fakes->dialogs, launcher, m_fakes->clipboard,
                        m_fakes->clock };
    // The program goes before the launcher and the platform it uses.
    auto end = qScopeGuard([this] { endProgram(); });
    startProgram(platform);
    CountdownWindow *countdown = triggerSchedule();
    click(countdown, "Command1");
    QTRY_COMPARE(launcher.outcomes, 1);
    QFile recorded(record);
    const ShutdownCommand command = shutdownCommand();
    if (exitCode >= 0) {
        QVERIFY(recorded.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(recorded.readAll()),
                 command.program + u' ' + command.arguments.join(u' ') + u'\n');
    } else {
        QVERIFY(!recorded.exists());
    }
    QCOMPARE(child<QLabel>(countdown, "Label1")->text(),
             exitCode ? "关机失败！" : "计算机正在关闭！");
    QCOMPARE(m_fakes->dialogs.messages.size(), exitCode ? 1 : 0);
    settle();
}

// A day and a night of a stall left running, on the fake clock, under the sanitizers.
void TestProgram::runsADayWithTwoSchedules()
{
    FakePlatform &fakes = *m_fakes;
    Program &program = *m_program;
    MainWindow *window = program.mainWindow();
    window->row(1).setPrice("1234.5");
    QTest::keyClicks(child(window, "Text1"), "12");

    int totalTicks = 0;
    int clockTicks = 0;
    // Seconds pass as the timers would tick them: the total twice, the rest once a second.
    auto pass = [&](int seconds) {
        for (int i = 0; i < seconds; ++i) {
            fakes.clock.advance(1);
            window->updateTotal();
            window->updateClock();
            window->updateTotal();
            totalTicks += 2;
            ++clockTicks;
            // A final count started by this second's scheduler tick counts from the next one.
            CountdownWindow *countdown = program.countdownWindow();
            if (countdown && countdown->isRunning())
                countdown->updateCount();
            program.schedulerWindow()->updateSchedule();
            if (clockTicks % 600 == 0)
                GuiTest::settle();
        }
    };

    // At 10:00 a schedule for 14:00, picked from the list; its final count is cancelled.
    click(window, "Command2");
    SchedulerWindow *scheduler = program.schedulerWindow();
    GuiTest::freezeTimer(scheduler);
    child<QComboBox>(scheduler, "Combo1")->setCurrentIndex(14);
    click(scheduler, "Command1");
    click(scheduler, "Command3");
    pass(4 * 3600);
    QVERIFY(program.countdownWindow() && program.countdownWindow()->isVisible());
    GuiTest::freezeTimer(program.countdownWindow());
    pass(4);
    click(program.countdownWindow(), "Command2");

    // Then a countdown of eight hours, which runs to the shutdown command.
    click(window, "Command2");
    QTest::keyClicks(child(scheduler, "Text1"), "8");
    click(scheduler, "Command2");
    click(scheduler, "Command3");
    const QMap<QString, int> before = takeCensus();
    QCOMPARE(before.value("running timers"), 3);
    pass(8 * 3600 + 10);
    QCOMPARE(fakes.launcher.starts.size(), 1);
    fakes.launcher.finishNext(true);
    pass(86400 - clockTicks);
    GuiTest::settle();

    QCOMPARE(clockTicks, 86400);
    QCOMPARE(totalTicks, 172800);
    QCOMPARE(child<QLabel>(window, "zj")->text(), "14,814");
    QMap<QString, int> expected = before;
    // Only the main window's two are left running.
    expected["running timers"] = 2;
    QCOMPARE(takeCensus(), expected);
}

ORMEK_GUI_TEST_MAIN(TestProgram)
#include "tst_program.moc"
