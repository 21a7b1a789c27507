#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "help/helptext.h"
#include "help/helpwindow.h"
#include "platform/qtlauncher.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "store/pricekeeper.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

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

// Lets queued checks and the deletion of closed windows happen.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

int topLevelWindowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->objectName() == name;
    return count;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensEachWindowOnce();
    void rebuildsHelpOnceAfterItsFrameCloses();
    void cancelHidesBothAndTheNextTriggerCountsAfresh();
    void closingTheFinalWindowStartsNoCommand();
    void runningScheduleOutlivesTheMainWindow();
    void savesTheTableBeforeShuttingDown();
    void visiblePreviewOutlivesTheMainWindow();
    void runsTheRealCommandFromPath_data();
    void runsTheRealCommandFromPath();

private:
    void startProgram(Platform &platform);
    void openScheduler() { Q_EMIT m_program->mainWindow()->schedulerRequested(); }
    // Sets a countdown of five seconds and lets it fall due.
    void triggerSchedule(FakeClock &clock);
    void freezeTimer(QWidget *window);
    void closeMainWindow();

    FakePlatform *m_fakes = nullptr;
    Program *m_program = nullptr;
    QSignalSpy *m_finished = nullptr;
};

void TestProgram::init()
{
    m_fakes = new FakePlatform;
    // Past the first run: no welcome among the messages.
    m_fakes->store.setValue(QStringLiteral("使用次数"), QStringLiteral("N"), QStringLiteral("1"));
    startProgram(m_fakes->platform);
}

void TestProgram::startProgram(Platform &platform)
{
    delete m_finished;
    delete m_program;
    m_program = new Program(platform);
    m_finished = new QSignalSpy(m_program, &Program::finished);
    m_program->start();
    QVERIFY(QTest::qWaitForWindowExposed(m_program->mainWindow()));
}

void TestProgram::cleanup()
{
    delete m_finished;
    m_finished = nullptr;
    delete m_program;
    m_program = nullptr;
    settle();
    delete m_fakes;
}

// The tests tick by hand; a window's real timer must not tick between their steps.
void TestProgram::freezeTimer(QWidget *window)
{
    auto *timer = window->findChild<QTimer *>(QStringLiteral("Timer1"));
    timer->setInterval(24 * 3600 * 1000);
}

void TestProgram::triggerSchedule(FakeClock &clock)
{
    openScheduler();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    freezeTimer(scheduler);
    QTest::keyClicks(scheduler->findChild<QLineEdit *>(QStringLiteral("Text3")),
                     QStringLiteral("5"));
    QTest::mouseClick(scheduler->findChild<QPushButton *>(QStringLiteral("Command2")),
                      Qt::LeftButton);
    QVERIFY(scheduler->isRunning());
    clock.advance(5);
    scheduler->updateSchedule();
    QVERIFY(m_program->countdownWindow());
    freezeTimer(m_program->countdownWindow());
}

void TestProgram::closeMainWindow()
{
    m_program->mainWindow()->close();
    settle();
    QVERIFY(!m_program->mainWindow());
}

void TestProgram::opensEachWindowOnce()
{
    QVERIFY(!m_program->schedulerWindow());
    QVERIFY(!m_program->helpWindow());
    openScheduler();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    QVERIFY(scheduler->isVisible());
    scheduler->hide();
    openScheduler();
    QCOMPARE(m_program->schedulerWindow(), scheduler);
    QVERIFY(scheduler->isVisible());

    auto *help = m_program->mainWindow()->findChild<QAction *>(QStringLiteral("halp"));
    help->trigger();
    help->trigger();
    QVERIFY(m_program->helpWindow()->isVisible());
    QCOMPARE(topLevelWindowsNamed(QStringLiteral("Form2")), 1);
    QCOMPARE(topLevelWindowsNamed(QStringLiteral("Form4")), 1);
    QVERIFY(m_program->mainWindow()->isVisible());
}

void TestProgram::rebuildsHelpOnceAfterItsFrameCloses()
{
    Q_EMIT m_program->mainWindow()->helpRequested();
    m_program->helpWindow()->close();
    settle();
    QVERIFY(!m_program->helpWindow());
    Q_EMIT m_program->mainWindow()->helpRequested();
    auto *text =
            m_program->helpWindow()->findChild<QPlainTextEdit *>(QStringLiteral("RichTextBox1"));
    QCOMPARE(text->toPlainText(), helpText(downloadAddress()));
}

void TestProgram::cancelHidesBothAndTheNextTriggerCountsAfresh()
{
    triggerSchedule(m_fakes->clock);
    CountdownWindow *countdown = m_program->countdownWindow();
    for (int i = 0; i < 4; ++i)
        countdown->updateCount();
    QTest::mouseClick(countdown->findChild<QPushButton *>(QStringLiteral("Command2")),
                      Qt::LeftButton);
    QVERIFY(!countdown->isVisible());
    QVERIFY(!m_program->schedulerWindow()->isVisible());

    triggerSchedule(m_fakes->clock);
    QCOMPARE(m_program->countdownWindow(), countdown);
    QVERIFY(countdown->isVisible());
    QVERIFY(countdown->isRunning());
    QCOMPARE(countdown->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"))->value(), 0);
    QVERIFY(countdown->findChild<QLabel *>(QStringLiteral("Label1"))->text().isEmpty());
    for (int i = 0; i < 10; ++i)
        countdown->updateCount();
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
}

void TestProgram::closingTheFinalWindowStartsNoCommand()
{
    triggerSchedule(m_fakes->clock);
    m_program->countdownWindow()->updateCount();
    m_program->countdownWindow()->close();
    settle();
    QVERIFY(!m_program->countdownWindow());
    QVERIFY(m_fakes->launcher.starts.isEmpty());
    QVERIFY(m_program->schedulerWindow()->isVisible());

    triggerSchedule(m_fakes->clock);
    QCOMPARE(m_program->countdownWindow()->findChild<QProgressBar *>()->value(), 0);
    QVERIFY(m_program->countdownWindow()->isRunning());
}

void TestProgram::runningScheduleOutlivesTheMainWindow()
{
    openScheduler();
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    freezeTimer(scheduler);
    QTest::keyClicks(scheduler->findChild<QLineEdit *>(QStringLiteral("Text3")),
                     QStringLiteral("30"));
    QTest::mouseClick(scheduler->findChild<QPushButton *>(QStringLiteral("Command2")),
                      Qt::LeftButton);
    QTest::mouseClick(scheduler->findChild<QPushButton *>(QStringLiteral("Command3")),
                      Qt::LeftButton);
    closeMainWindow();
    QCOMPARE(m_finished->size(), 0);

    m_fakes->clock.advance(30);
    scheduler->updateSchedule();
    settle();
    QCOMPARE(m_finished->size(), 0);
    CountdownWindow *countdown = m_program->countdownWindow();
    QVERIFY(countdown->isVisible());
    freezeTimer(countdown);

    QTest::mouseClick(countdown->findChild<QPushButton *>(QStringLiteral("Command2")),
                      Qt::LeftButton);
    settle();
    QCOMPARE(m_finished->size(), 1);
    QVERIFY(m_fakes->launcher.starts.isEmpty());
}

void TestProgram::savesTheTableBeforeShuttingDown()
{
    // A change the program has not saved yet, as when a store write failed.
    m_program->mainWindow()->row(1).setPrice(QStringLiteral("123"));
    triggerSchedule(m_fakes->clock);
    QTest::mouseClick(
            m_program->countdownWindow()->findChild<QPushButton *>(QStringLiteral("Command1")),
            Qt::LeftButton);
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
    QCOMPARE(m_fakes->store.value(QStringLiteral("物品名称及价格储存"), QStringLiteral("b1"), {}),
             QStringLiteral("123"));
}

void TestProgram::visiblePreviewOutlivesTheMainWindow()
{
    Q_EMIT m_program->mainWindow()->viewPresetRequested(2);
    PreviewWindow *preview = m_program->priceKeeper()->previewWindow();
    QVERIFY(preview && preview->isVisible());
    closeMainWindow();
    QCOMPARE(m_finished->size(), 0);

    // With the main window gone its button loads nothing; hiding the last window ends the run.
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("Command1")),
                      Qt::LeftButton);
    settle();
    QCOMPARE(m_finished->size(), 1);
}

void TestProgram::runsTheRealCommandFromPath_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("shuts down") << 0 << false;
    QTest::newRow("fails") << 1 << false;
    QTest::newRow("cancelled") << 0 << true;
}

// Through the real launcher. Stand-ins named like the shutdown programs are the only programs
// on PATH, and they only record how they were called.
void TestProgram::runsTheRealCommandFromPath()
{
    QFETCH(int, exitCode);
    QFETCH(bool, cancel);
#ifndef Q_OS_UNIX
    QSKIP("The stand-ins are shell scripts.");
#endif

    QTemporaryDir standIns;
    QVERIFY(standIns.isValid());
    const QString record = standIns.filePath(QStringLiteral("record"));
    for (const QString name : { "systemctl", "shutdown" }) {
        QFile script(standIns.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s %s\\n' \"${0##*/}\" \"$*\" >> '%1'\n"
                                    "exit %2\n")
                             .arg(record)
                             .arg(exitCode)
                             .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(standIns.path()));
    auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });

    CountingLauncher launcher;
    Platform platform { m_fakes->store, m_fakes->dialogs, launcher, m_fakes->clipboard,
                        m_fakes->clock };
    // The program goes before the launcher and the platform it uses.
    auto endProgram = qScopeGuard([this] {
        delete m_finished;
        m_finished = nullptr;
        delete m_program;
        m_program = nullptr;
    });
    startProgram(platform);
    triggerSchedule(m_fakes->clock);
    CountdownWindow *countdown = m_program->countdownWindow();
    if (cancel) {
        for (int i = 0; i < 9; ++i)
            countdown->updateCount();
        QTest::mouseClick(countdown->findChild<QPushButton *>(QStringLiteral("Command2")),
                          Qt::LeftButton);
        settle();
        QVERIFY(!QFile::exists(record));
        return;
    }

    for (int i = 0; i < 10; ++i)
        countdown->updateCount();
    QTRY_COMPARE(launcher.outcomes, 1);
    QFile recorded(record);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(recorded.readAll(), QByteArray("systemctl poweroff\n"));
    const QString message = countdown->findChild<QLabel *>(QStringLiteral("Label1"))->text();
    if (exitCode == 0) {
        QCOMPARE(message, QStringLiteral("计算机正在关闭！"));
        QVERIFY(m_fakes->dialogs.messages.isEmpty());
    } else {
        QCOMPARE(message, QStringLiteral("关机失败！"));
        QCOMPARE(m_fakes->dialogs.messages.size(), 1);
        QCOMPARE(m_fakes->dialogs.messages.first().prompt, QStringLiteral("关机命令执行失败！"));
    }
    settle();
}

ORMEK_GUI_TEST_MAIN(TestProgram)
#include "tst_program.moc"
