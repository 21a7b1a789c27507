#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "help/helptext.h"
#include "help/helpwindow.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/shutdowncommand.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "store/previewwindow.h"
#include "store/pricekeeper.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
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

} // namespace

// One run: the windows the main window opens, their lifetime, and the shutdown they lead to.
class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensHelpOnce();
    void cancelOrCloseCountsAfresh();
    void savesWhatWasNotSaved_data();
    void savesWhatWasNotSaved();
    void endsWhenNothingIsVisibleOrBusy();
    void endsWhenAskedWhileGreeting();
    void runsTheRealCommandFromPath_data();
    void runsTheRealCommandFromPath();
    void usesTheRealBoxesAndClipboard();

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
    click(m_program->mainWindow(), "Command2");
    SchedulerWindow *scheduler = m_program->schedulerWindow();
    GuiTest::freezeTimer(scheduler);
    QTest::keyClicks(child(scheduler, "Text3"), "5");
    click(scheduler, "Command2");
    m_fakes->clock.advance(5);
    GuiTest::fireTimer(scheduler);
    CountdownWindow *countdown = m_program->countdownWindow();
    if (countdown)
        GuiTest::freezeTimer(countdown);
    return countdown;
}

// The help window exists once; "关闭" hides it and the frame's close discards it, and either
// way its text shows once. Its buttons copy and open the address.
void TestProgram::opensHelpOnce()
{
    MainWindow *main = m_program->mainWindow();
    const QString text = helpText(downloadAddress());
    auto shownText = [this] {
        return child<QPlainTextEdit>(m_program->helpWindow(), "RichTextBox1")->toPlainText();
    };
    child<QAction>(main, "halp")->trigger();
    HelpWindow *help = m_program->helpWindow();
    click(help, "Command1");
    QVERIFY(!help->isVisible());
    child<QAction>(main, "halp")->trigger();
    QCOMPARE(m_program->helpWindow(), help);
    QCOMPARE(shownText(), text);

    click(help, "Command2");
    QCOMPARE(m_fakes->clipboard.text, downloadAddress());
    auto *link = child<QLabel>(help, "Label9");
    QTest::mouseClick(link, Qt::LeftButton);
    m_fakes->launcher.openUrlSucceeds = false;
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_fakes->launcher.openedUrls, QList<QUrl>(2, QUrl(downloadAddress())));
    QCOMPARE(m_fakes->dialogs.messageTexts(),
             QStringList({ "复制成功！|复制", "无法打开浏览器！|提示" }));

    help->close();
    settle();
    QVERIFY(!m_program->helpWindow());
    child<QAction>(main, "halp")->trigger();
    QCOMPARE(shownText(), text);
}

// Neither a cancel, which hides both windows, nor the frame's close, which discards the final
// one, starts the command; the next schedule counts ten seconds afresh.
void TestProgram::cancelOrCloseCountsAfresh()
{
    CountdownWindow *countdown = triggerSchedule();
    for (int i = 0; i < 4; ++i)
        GuiTest::fireTimer(countdown);
    click(countdown, "Command2");
    QVERIFY(!countdown->isVisible());
    QVERIFY(!m_program->schedulerWindow()->isVisible());

    QCOMPARE(triggerSchedule(), countdown);
    QCOMPARE(child<QProgressBar>(countdown, "ProgressBar1")->value(), 0);
    QVERIFY(child<QLabel>(countdown, "Label1")->text().isEmpty());
    GuiTest::fireTimer(countdown);
    countdown->close();
    settle();
    QVERIFY(!m_program->countdownWindow());
    QVERIFY(m_program->schedulerWindow()->isVisible());

    countdown = triggerSchedule();
    QCOMPARE(child<QProgressBar>(countdown, "ProgressBar1")->value(), 0);
    for (int i = 0; i < 10; ++i)
        GuiTest::fireTimer(countdown);
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
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

    // The hidden schedule still fires; its final count keeps the run going, and closing it
    // starts nothing.
    m_fakes->clock.advance(30);
    GuiTest::fireTimer(scheduler);
    m_program->helpWindow()->show();
    m_program->helpWindow()->hide();
    settle();
    QCOMPARE(m_finished->size(), 0);
    QVERIFY(m_program->countdownWindow()->isVisible());
    preview->show();
    m_program->countdownWindow()->close();
    settle();
    QCOMPARE(m_finished->size(), 0);

    // With the main window gone the preview's button loads nothing; hiding it ends the run.
    click(preview, "Command1");
    settle();
    QCOMPARE(m_finished->size(), 1);
    QVERIFY(m_fakes->launcher.starts.isEmpty());

    // The main window alone: its close ends the run.
    startProgram(m_fakes->platform);
    m_program->mainWindow()->close();
    settle();
    QCOMPARE(m_finished->size(), 1);
}

void TestProgram::endsWhenAskedWhileGreeting()
{
    endProgram();
    // As by a Unix signal, while it shows its first box.
    FakePlatform fakes;
    Program program(fakes.platform);
    fakes.dialogs.onMessage = [&program] {
        program.saveAndQuit();
    };
    QSignalSpy ends(&program, &Program::endNow);
    program.start();
    // The greeting's own loop ends at once, the main loop as soon as it runs.
    QCOMPARE(ends.size(), 1);
    QTRY_COMPARE(ends.size(), 2);
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
    // Executable, but not a program.
    for (const QString &name : QDir(standIns.path()).entryList({ "shutdown*", "systemctl*" })) {
        QFile file(standIns.filePath(name));
        QVERIFY(exitCode != -2 || (file.open(QIODevice::WriteOnly) && file.write("not a program")));
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

// The desktop's own boxes and clipboard, answered and looked at as a user would.
void TestProgram::usesTheRealBoxesAndClipboard()
{
    QtDialogs dialogs;
    QString title;
    GuiTest::answerModalBox([&title](QWidget *box) {
        title = box->windowTitle();
        auto *field = box->findChild<QLineEdit *>();
        GuiTest::typeText(field, "名 <b>");
        QTest::keyClick(field, Qt::Key_Return);
    });
    QCOMPARE(dialogs.askText("请输入[<b>]的单价：", "设置"), "名 <b>");
    QCOMPARE(title, "设置");
    GuiTest::answerModalBox([](QWidget *box) {
        for (QPushButton *button : box->findChildren<QPushButton *>()) {
            if (button->text() == "取消")
                button->click();
        }
    });
    QCOMPARE(dialogs.askText("请输入物品名：", "设置"), QString());

    QStringList shown;
    GuiTest::answerModalBox([&shown](QWidget *box) {
        auto *message = qobject_cast<QMessageBox *>(box);
        shown << message->text() << message->windowTitle() << QString::number(message->textFormat())
              << QString::number(message->icon());
        for (QAbstractButton *button : message->buttons())
            shown << button->text();
        message->buttons().constFirst()->click();
    });
    dialogs.showMessage("<b>保存失败！</b>", "保存");
    QCOMPARE(shown, QStringList({ "<b>保存失败！</b>", "保存", "0", "0", "确定" }));

    // The clipboard holds the address alone, whatever it held before.
    auto *before = new QMimeData;
    before->setImageData(QImage(4, 4, QImage::Format_RGB32));
    before->setHtml("<b>old</b>");
    QGuiApplication::clipboard()->setMimeData(before);
    QtClipboard().setText(downloadAddress());
    const QMimeData *now = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(now->formats(), QStringList { "text/plain" });
    QCOMPARE(now->text(), downloadAddress());
}

ORMEK_GUI_TEST_MAIN(TestProgram)
#include "tst_program.moc"
