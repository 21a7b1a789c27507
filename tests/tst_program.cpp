// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/helptext.h"
#include "core/rowtexts.h"
#include "help/helpwindow.h"
#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qttrayandtaskbar.h"
#include "platform/shutdowncommand.h"
#include "platform/systemclock.h"
#include "platform/systemsingleinstance.h"
#include "presets/previewwindow.h"
#include "presets/tablepersistence.h"
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtGui/private/qguiapplication_p.h>
#include <algorithm>
#include <qpa/qwindowsysteminterface.h>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using GuiTest::child;
using GuiTest::click;
using GuiTest::settle;

// One run: the windows the main window opens, their lifetime, and the shutdown they lead to.
class TestProgram : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    // Stands in for the browser: the desktop hands it the addresses of its scheme.
    void openInBrowser(const QUrl &url) { m_browsed << url; }

private Q_SLOTS:
    void init()
    {
        m_fakes = new FakePlatform;
        // Past the first run: no welcome among the messages.
        m_fakes->store.values.insert("使用次数/N", "1");
        startProgram();
    }

    void cleanup()
    {
        endProgram();
        settle();
        delete m_fakes;
    }

    // The help window exists once; "关闭" hides it and the frame's close discards it, and either
    // way its text shows once. Its buttons copy and open the address.
    void opensHelpOnce()
    {
        HelpWindow *help = openHelp();
        const QString text = child<QPlainTextEdit>(help, "RichTextBox1")->toPlainText();
        QVERIFY(text.contains(downloadAddress()));
        QCOMPARE(help->windowTitle(), "帮助");
        click(help, "Command1");
        QVERIFY(!help->isVisible());
        QCOMPARE(openHelp(), help);
        QCOMPARE(child<QPlainTextEdit>(help, "RichTextBox1")->toPlainText(), text);

        click(help, "Command2");
        QCOMPARE(m_fakes->clipboard.text, downloadAddress());
        click(help, "Label9");
        m_fakes->launcher.openUrlSucceeds = false;
        click(help, "Label9");
        QCOMPARE(m_fakes->launcher.openedUrls, QList<QUrl>(2, QUrl(downloadAddress())));
        QCOMPARE(m_fakes->dialogs.messages,
                 QStringList({ "复制成功！|复制", "无法打开浏览器！|提示" }));
        help->close();
        settle();
        QVERIFY(!m_program->helpWindow());
        QCOMPARE(child<QPlainTextEdit>(openHelp(), "RichTextBox1")->toPlainText(), text);
    }

    void speaksChineseInQtsOwnMenus_data()
    {
        QTest::addColumn<bool>("inHelp");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("menu");
        QTest::newRow("quantity box") << false << "Text1"
                                      << "撤消(&U) 重做(&R) 剪切(&T) 复制(&C) 粘贴(&P) 删除 全选";
        // Read only: nothing to cut, paste or delete.
        QTest::newRow("help text") << true << "RichTextBox1"
                                   << "复制(&C) 全选";
    }

    // Qt's own texts speak Chinese too: a text field's context menu, opened by a right click.
    void speaksChineseInQtsOwnMenus()
    {
        QFETCH(bool, inHelp);
        QFETCH(QString, field);
        QFETCH(QString, menu);
        QStringList items;
        GuiTest::answerModalBox([&items](QWidget *shown) {
            for (QAction *action : shown->actions())
                items << action->text().section(u'\t', 0, 0);
            shown->close();
        });
        QWidget *window = inHelp ? static_cast<QWidget *>(openHelp()) : m_program->mainWindow();
        GuiTest::clickThroughWindow(window, field, Qt::RightButton);
        // Separators have no text.
        QCOMPARE(items.join(u' ').simplified(), menu);
    }

    // The safety note gives the size of the program file, here one of 308,239 bytes.
    void tellsTheProgramsSize()
    {
        QTemporaryDir folder;
        QFile program(folder.filePath("ormek-calculator.exe"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        QCOMPARE(program.write(QByteArray(308239, 'M')), 308239);
        program.close();
        const HelpWindow help(m_fakes->platform, program.fileName());
        QCOMPARE(child<QPlainTextEdit>(&help, "RichTextBox1")->toPlainText().split(u'\n').value(1),
                 "1、本软件此版本大小为301KB，请查看大小，如不相符，请谨慎使用；");
    }

    void firesOnceAtOrPastTheTarget()
    {
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
        QSignalSpy due(scheduler(), &SchedulerWindow::scheduleDue);
        QCOMPARE(m_schedulerInterval, 1000);
        QCOMPARE(scheduler()->windowTitle(), "自动关机");
        // Return in a minute box starts nothing and adds nothing to its list.
        typeInto("Combo2", "1");
        QTest::keyClick(child<QComboBox>(scheduler(), "Combo2")->lineEdit(), Qt::Key_Return);
        QCOMPARE(child<QComboBox>(scheduler(), "Combo2")->count(), 60);
        typeInto("Combo2", "00");
        typeInto("Combo1", "01");
        click(scheduler(), "Command1");
        QCOMPARE(line("Label7"), "关机时间：01时00分00秒");
        QCOMPARE(child<QComboBox>(scheduler(), "Combo1")->currentText(), "00");
        tick(1);
        QCOMPARE(line("Label10"), "系统时间：22时00分01秒");
        QCOMPARE(line("Label9"), "距离关机时间秒数：10799秒");
        QCOMPARE(line("Label8"), "距离关机时间还剩：2小时59分59秒");
        QCOMPARE(scheduler()->windowTitle(), "2:59:59后关机");
        // A countdown refused leaves the schedule running, and its entries for correcting.
        click(scheduler(), "Command2");
        typeInto("Text2", "abc");
        click(scheduler(), "Command2");
        QCOMPARE(m_fakes->dialogs.messages,
                 QStringList({ "请输入倒计时！|提示", "请输入有效的时间！|提示" }));
        QCOMPARE(child<QLineEdit>(scheduler(), "Text2")->text(), "abc");
        QCOMPARE(line("Label7"), "关机时间：01时00分00秒");
        typeInto("Text2", "");

        // Put away, it goes on across midnight; a busy machine's tick comes a minute late.
        SchedulerWindow *hidden = scheduler();
        click(hidden, "Command3");
        m_fakes->clock.advance(10799 - 1);
        GuiTest::fireTimer(hidden);
        QCOMPARE(due.size(), 0);
        m_fakes->clock.advance(60);
        GuiTest::fireTimer(hidden);
        GuiTest::fireTimer(hidden);
        QCOMPARE(due.size(), 1);
        QVERIFY(!hidden->isRunning());

        // A countdown follows the time that passes, whatever the clock is set to.
        typeInto("Text3", "20");
        click(scheduler(), "Command2");
        QVERIFY(child<QLineEdit>(scheduler(), "Text3")->text().isEmpty());
        m_fakes->clock.current = m_fakes->clock.current.addSecs(-3600);
        tick(19);
        QCOMPARE(line("Label9"), "距离关机时间秒数：1秒");
        tick(1);
        QCOMPARE(due.size(), 2);

        // The window's close ends a schedule.
        typeInto("Text3", "30");
        click(scheduler(), "Command2");
        scheduler()->close();
        QVERIFY(!hidden->isRunning());
    }

    // Ten seconds, each told, then the command; "立即关机" tries again after a failure. Neither a
    // cancel, which hides both windows, nor the frame's close, which discards the final one, starts
    // it, and the next schedule counts afresh.
    void countsDownToTheCommand()
    {
        CountdownWindow *countdown = triggerSchedule();
        auto message = [&countdown] {
            return child<QLabel>(countdown, "Label1")->text();
        };
        auto position = [&countdown] {
            return child<QProgressBar>(countdown, "ProgressBar1")->value();
        };
        QCOMPARE(m_countdownInterval, 1000);
        // The last warning stays above other windows, asks to be seen, and keeps the computer
        // awake until the count ends.
        QCOMPARE(GuiTest::shownWindow("Form5"), countdown);
        QCOMPARE(countdown->windowTitle(), "关机");
        QVERIFY(countdown->windowFlags().testFlags(Qt::Tool | Qt::WindowStaysOnTopHint));
        QCOMPARE(m_fakes->trayAndTaskbar.alerted, QList<QWidget *> { countdown });
        settle();
        QVERIFY(m_fakes->sleepInhibitor.held);
        // Enter or Space cancels rather than shuts down.
        countdown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(countdown));
        QCOMPARE(QApplication::focusWidget()->objectName(), "Command2");
        for (int i = 0; i < 4; ++i)
            GuiTest::fireTimer(countdown);
        QCOMPARE(message(), "您设置的时间已到,计算机将于6秒后关闭");
        QCOMPARE(m_fakes->trayAndTaskbar.iconToolTip, "0:0:6后关机");
        click(countdown, "Command2");
        QVERIFY(!countdown->isVisible());
        QVERIFY(!m_program->schedulerWindow()->isVisible());
        settle();
        QVERIFY(!m_fakes->sleepInhibitor.held);

        QCOMPARE(triggerSchedule(), countdown);
        QCOMPARE(position(), 0);
        QVERIFY(message().isEmpty());
        GuiTest::fireTimer(countdown);
        countdown->close();
        QVERIFY(!child<QTimer>(countdown, "Timer1")->isActive());
        settle();
        QVERIFY(!m_program->countdownWindow());

        countdown = triggerSchedule();
        QCOMPARE(position(), 0);
        QVERIFY(countdown->isRunning());
        for (int i = 0; i < 10; ++i)
            GuiTest::fireTimer(countdown);
        QCOMPARE(position(), 10);
        QCOMPARE(message(), "计算机正在关闭！");
        QVERIFY(!countdown->isRunning());
        QCOMPARE(m_fakes->launcher.starts.size(), 1);
        settle();
        QVERIFY(!m_fakes->sleepInhibitor.held);
        m_fakes->launcher.finishNext(false);
        QCOMPARE(message(), "关机失败！");
        QCOMPARE(m_fakes->dialogs.messages, QStringList { "关机命令执行失败！|关机" });
        click(countdown, "Command1");
        QCOMPARE(message(), "计算机正在关闭！");
        // An outcome that comes after the window is gone is still told.
        countdown->close();
        settle();
        m_fakes->launcher.finishNext(false);
        QCOMPARE(m_fakes->dialogs.messages.size(), 2);
    }

    void closesAWindowUnderItsBox_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("answer");
        const auto row = [](const char *name, const char *window, const char *command,
                            const char *active = nullptr, const char *answer = "") {
            QTest::newRow(name) << window << command
                                << (active ? QString(active) : QString(command).section('/', 0, 0))
                                << answer;
        };
        row("main: a name's box", "Form1", "Form1/btn1");
        row("main: a price's box", "Form1", "Form1/s1");
        row("main: a name's box on help, answered", "Form1", "Form1/btn1", "Form2", "新名");
        row("main: a price's box on help, answered", "Form1", "Form1/s1", "Form2", "12");
        row("main: a preset saved", "Form1", "Form1/BC1");
        row("main: the table reset", "Form1", "Form1/CSH");
        row("help: the address copied", "Form2", "Form2/Command2");
        row("help: no browser", "Form2", "Form2/Label9");
        row("preview: its slot loaded", "Form3", "Form3/Command1");
        row("scheduler: no countdown", "Form4", "Form4/Command2");
        row("final count: the command failed", "Form5", "Form5/Command1");
        row("final count, under a price box on main", "Form5", "Form1/s1");
        row("final count, under a preset saved on main", "Form5", "Form1/BC1");
    }

    // A window closed while a box waits, one of its own or one on another window: through its
    // frame, which the other window's box does not block, or as the program closes it. It is
    // gone, nothing touches it afterwards, and a final count closed starts nothing.
    void closesAWindowUnderItsBox()
    {
        QFETCH(QString, window);
        QFETCH(QString, command);
        QFETCH(QString, active);
        QFETCH(QString, answer);
        QtDialogs dialogs;
        Platform platform = m_fakes->with(dialogs);
        startProgram(platform);
        auto end = qScopeGuard([this] { endProgram(); });
        m_fakes->launcher.openUrlSucceeds = false;
        QPointer<QWidget> closed = openWindow(window);
        QWidget *commandWindow = openWindow(command.section('/', 0, 0));
        QWidget *activeWindow = openWindow(active);
        activeWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(activeWindow));

        GuiTest::answerModalBox([&](QWidget *box) {
            QPointer<QWidget> waiting = box;
            using Events = QWindowSystemInterface;
            Events::handleCloseEvent<Events::SynchronousDelivery>(closed->windowHandle());
            if (closed->isVisible())
                closed->close();
            settle();
            if (waiting && !answer.isEmpty())
                GuiTest::typeText(box->findChild<QLineEdit *>(), answer);
            if (waiting)
                QTest::keyClick(box, answer.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        const QString name = command.section('/', 1);
        if (auto *action = commandWindow->findChild<QAction *>(name))
            action->trigger();
        else
            click(commandWindow, name);
        if (command == "Form5/Command1")
            m_fakes->launcher.finishNext(false);
        settle();
        QVERIFY(!closed);
        QCOMPARE(m_fakes->launcher.starts.size(), command == "Form5/Command1" ? 1 : 0);
    }

    void keepsAPendingShutdownInReach_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("with a notification area") << true;
        QTest::newRow("without a notification area") << false;
    }

    // A running schedule with the scheduler put away and the main window closed: the icon in
    // the notification area, or else the scheduler in the taskbar, leads back to it; a later
    // start shows it; the computer stays awake until the schedule ends.
    void keepsAPendingShutdownInReach()
    {
        QFETCH(bool, tray);
        FakeTrayAndTaskbar &desktop = m_fakes->trayAndTaskbar;
        desktop.tray = tray;
        QCOMPARE(m_fakes->singleInstance.calls, 1);
        QVERIFY(!m_fakes->singleInstance.called);
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
        typeInto("Combo1", "01");
        click(scheduler(), "Command1");
        tick(1);
        settle();
        QVERIFY(m_fakes->sleepInhibitor.held);
        QCOMPARE(desktop.iconShown, tray);
        QCOMPARE(desktop.iconToolTip, tray ? "2:59:59后关机" : "");

        SchedulerWindow *hidden = m_program->schedulerWindow();
        click(hidden, "Command3");
        m_program->mainWindow()->close();
        settle();
        settle();
        QCOMPARE(m_finished->size(), 0);
        QCOMPARE(hidden->isVisible(), !tray);
        QCOMPARE(hidden->isMinimized(), !tray);
        if (!tray) {
            // Its "关闭" leaves it in the taskbar while it is the last window.
            hidden->showNormal();
            click(hidden, "Command3");
            settle();
            QVERIFY(hidden->isMinimized());
        }

        // A later start of the program calls this copy.
        QVERIFY(m_fakes->singleInstance.called);
        m_fakes->singleInstance.called();
        QVERIFY(hidden->isVisible() && !hidden->isMinimized());
        tick(1);
        settle();
        QCOMPARE(desktop.iconToolTip, tray ? "2:59:58后关机" : "");

        if (tray) {
            click(hidden, "Command3");
            desktop.showCommand();
            QVERIFY(hidden->isVisible());
            click(hidden, "Command3");
            desktop.cancelCommand();
        } else {
            hidden->close();
        }
        settle();
        settle();
        QVERIFY(!m_program->schedulerWindow());
        QVERIFY(!m_fakes->sleepInhibitor.held);
        QVERIFY(!desktop.iconShown);
        QVERIFY(!m_fakes->singleInstance.called);
        QCOMPARE(m_finished->size(), 1);
    }

    void keepsOnePendingShutdownPerSession_data()
    {
        QTest::addColumn<bool>("openedBefore");
        QTest::addColumn<QString>("runtimeFolder");
        QTest::addColumn<QString>("leftAtSocket");
        const QString none, stale("stale"), held("held"), tooLong(100, u'r');
        QTest::newRow("自动关机 in another copy") << false << none << none;
        QTest::newRow("a start in another copy's scheduler opened before") << true << none << none;
        QTest::newRow("a socket left by a copy that crashed") << false << none << stale;
        QTest::newRow("a runtime folder too long for a socket") << true << tooLong << none;
        QTest::newRow("the socket's path held by another program") << false << none << held;
    }

    // Two copies of the program in one session, through the real call between them: while one
    // holds a pending shutdown, the other leads to it and holds none of its own; once the first
    // holds none, the other's 自动关机 opens its own scheduler.
    void keepsOnePendingShutdownPerSession()
    {
        QFETCH(bool, openedBefore);
        QFETCH(QString, runtimeFolder);
        QFETCH(QString, leftAtSocket);
        QTemporaryDir base;
        const QString runtime = base.filePath(runtimeFolder);
        QVERIFY(QDir().mkpath(runtime));
        auto restore = useFolders(runtime, base.path());
#ifdef Q_OS_UNIX
        const int left = leftAtSocket.isEmpty() ? -1 : ::socket(AF_UNIX, SOCK_STREAM, 0);
        auto closeLeft = qScopeGuard([left] { ::close(left); });
        sockaddr_un address = { AF_UNIX, {} };
        qstrncpy(address.sun_path, QFile::encodeName(runtime + "/ormek-calculator"), 108);
        QVERIFY(left < 0
                || ::bind(left, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0);
        QVERIFY(leftAtSocket != "held" || ::listen(left, 4) == 0);
#endif
        SystemSingleInstance firstCopies;
        SystemSingleInstance otherCopies;
        Platform first = m_fakes->with(firstCopies);
        startProgram(first);
        auto end = qScopeGuard([this] { endProgram(); });
        FakePlatform otherFakes;
        otherFakes.store.values.insert("使用次数/N", "1");
        Platform otherPlatform = otherFakes.with(otherCopies);
        Program other(otherPlatform);
        other.start();
        if (openedBefore)
            click(other.mainWindow(), "Command2");

        typeInto("Text3", "30");
        click(scheduler(), "Command2");
        SchedulerWindow *pending = scheduler();
        click(pending, "Command3");
        settle();
        if (openedBefore) {
            child<QLineEdit>(other.schedulerWindow(), "Text3")->setText("60");
            click(other.schedulerWindow(), "Command2");
        } else {
            click(other.mainWindow(), "Command2");
        }
        QTRY_VERIFY(pending->isVisible());
        settle();
        QVERIFY(pending->isRunning());
        QVERIFY(!other.schedulerWindow());
        QVERIFY(m_fakes->trayAndTaskbar.iconShown && !otherFakes.trayAndTaskbar.iconShown);
        QVERIFY(!otherFakes.sleepInhibitor.held);
        m_fakes->trayAndTaskbar.cancelCommand();
        settle();
        click(other.mainWindow(), "Command2");
        QVERIFY(other.schedulerWindow());
    }

    void savesWhatWasNotSaved_data()
    {
        QTest::addColumn<bool>("sessionEnds");
        QTest::newRow("before the shutdown command") << false;
        QTest::newRow("when the desktop session ends") << true;
    }

    void savesWhatWasNotSaved()
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
    void endsWhenNothingIsVisibleOrBusy()
    {
        MainWindow *main = m_program->mainWindow();
        Q_EMIT main->helpRequested();
        m_program->helpWindow()->hide();
        Q_EMIT main->viewPresetRequested(2);
        PreviewWindow *preview = m_program->previewWindow();
        preview->hide();
        typeInto("Text3", "30");
        click(scheduler(), "Command2");
        SchedulerWindow *hidden = scheduler();
        // Every window opens in the middle of the screen, in a size the user cannot change.
        const auto placed = [](QWidget *window) {
            const QRect screen = window->screen()->availableGeometry();
            return window->minimumSize() == window->maximumSize()
                    && (window->geometry().center() - screen.center()).manhattanLength() <= 2;
        };
        for (QWidget *window :
             std::initializer_list<QWidget *> { main, m_program->helpWindow(), preview, hidden })
            QVERIFY2(placed(window), window->metaObject()->className());
        click(hidden, "Command3");
        main->close();
        settle();
        QVERIFY(!m_program->mainWindow());
        QCOMPARE(m_finished->size(), 0);

        // The hidden schedule still fires; its final count keeps the run going, and closing it
        // starts nothing.
        m_fakes->clock.advance(30);
        GuiTest::fireTimer(hidden);
        m_program->helpWindow()->show();
        m_program->helpWindow()->hide();
        settle();
        QCOMPARE(m_finished->size(), 0);
        QVERIFY(m_program->countdownWindow()->isVisible());
        QVERIFY(placed(m_program->countdownWindow()));
        preview->show();
        m_program->countdownWindow()->close();
        settle();
        QCOMPARE(m_finished->size(), 0);

        // With the main window gone the preview's button loads nothing; hiding it ends the run.
        click(preview, "Command1");
        settle();
        QCOMPARE(m_finished->size(), 1);
        QVERIFY(m_fakes->launcher.starts.isEmpty());
        // Ended once, whatever hides later.
        m_program->helpWindow()->show();
        m_program->helpWindow()->hide();
        settle();
        QCOMPARE(m_finished->size(), 1);

        // The main window alone: its close ends the run.
        startProgram();
        m_program->mainWindow()->close();
        settle();
        QCOMPARE(m_finished->size(), 1);
        QCOMPARE(m_endsNow->size(), 0);
    }

    void endsWhenAskedWhileGreeting()
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

    void runsTheRealCommandFromPath_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::newRow("shuts down") << 0;
        QTest::newRow("fails") << 1;
        QTest::newRow("not on PATH") << -1;
        QTest::newRow("cannot be started") << -2;
    }

    // Through the real launcher. Stand-ins named like the shutdown programs are the only programs
    // on PATH, and they only record how they were called.
    void runsTheRealCommandFromPath()
    {
        QFETCH(int, exitCode);
        QTemporaryDir standIns;
        const QString record = exitCode == -1
                ? standIns.filePath("started")
                : GuiTest::writeShutdownStandIns(standIns.path(), exitCode);
        for (const QString &name : QDir(standIns.path()).entryList({ "shutdown*", "systemctl*" })) {
            // Executable, but not a program.
            QFile file(standIns.filePath(name));
            QVERIFY(exitCode != -2
                    || (file.open(QIODevice::WriteOnly) && file.write("not a program")));
        }
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(QDir::toNativeSeparators(standIns.path())));
        auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });

        const ShutdownCommand command = shutdownCommand();
        std::optional<bool> succeeded;
        QtLauncher().start(command.program, command.arguments, [&](bool ok) { succeeded = ok; });
        // Told later, on the event loop.
        QVERIFY(!succeeded);
        QTRY_VERIFY(succeeded);
        QCOMPARE(*succeeded, exitCode == 0);
        QFile recorded(record);
        QCOMPARE(recorded.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(recorded.readAll())
                                                    : QString(),
                 exitCode >= 0 ? command.program + u' ' + command.arguments.join(u' ') + u'\n'
                               : QString());
    }

    // The desktop's own boxes and clipboard, answered and looked at as a user would, its way to
    // a browser, and its clocks.
    void usesTheDesktopsOwnServices()
    {
        QtDialogs dialogs;
        QStringList seen;
        GuiTest::answerModalBox([&seen](QWidget *box) {
            seen << box->windowTitle();
            for (QLabel *label : box->findChildren<QLabel *>()) {
                if (label->text().contains("<b>"))
                    seen << QString::number(label->textFormat());
            }
            GuiTest::typeText(box->findChild<QLineEdit *>(), "名 <b>");
            QTest::keyClick(box->findChild<QLineEdit *>(), Qt::Key_Return);
        });
        QCOMPARE(dialogs.askText("请输入[<b>]的单价：", "设置"), "名 <b>");
        const QString longPrompt = pricePrompt(QString(300, u'长'));
        GuiTest::answerModalBox([&longPrompt](QWidget *box) {
            auto *field = box->findChild<QLineEdit *>();
            // The prompt wraps within the screen, above the typing field.
            const QList<QLabel *> prompts = box->findChildren<QLabel *>();
            const auto prompt = std::find_if(prompts.cbegin(), prompts.cend(), [&](QLabel *label) {
                return label->text() == longPrompt;
            });
            QVERIFY(prompt != prompts.cend());
            QVERIFY(field->geometry().top() > (*prompt)->geometry().bottom());
            QVERIFY(box->width() <= box->screen()->availableGeometry().width());
            QVERIFY((*prompt)->minimumSizeHint().width() <= (*prompt)->width());
            // A paste longer than the box gives back is not cut silently.
            field->insert(QString(40000, u'长'));
            for (QPushButton *button : box->findChildren<QPushButton *>()) {
                // Below the typing field, where a user looks for them.
                QVERIFY(button->mapTo(box, QPoint()).y() > field->geometry().bottom());
                QCOMPARE(button->isEnabled(), button->text() == "取消");
            }
            const QList<QLabel *> labels = box->findChildren<QLabel *>();
            QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](QLabel *label) {
                return label->isVisible() && label->text() == "文字过长：最多32767个字符。";
            }));
            QTest::keyClick(field, Qt::Key_Escape);
        });
        QCOMPARE(dialogs.askText(longPrompt, "设置"), QString());
        GuiTest::answerModalBox([&seen](QWidget *box) {
            auto *message = qobject_cast<QMessageBox *>(box);
            seen << message->text() << message->windowTitle();
            seen << QString::number(message->textFormat()) << QString::number(message->icon());
            for (QAbstractButton *button : message->buttons())
                seen << button->text();
            message->buttons().constFirst()->click();
        });
        dialogs.showMessage("<b>保存失败！</b>", "保存");
        QCOMPARE(seen, QStringList({ "设置", "0", "<b>保存失败！</b>", "保存", "0", "0", "确定" }));
        // Esc is the last choice.
        GuiTest::answerModalBox([](QWidget *box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(dialogs.askChoice("保存失败！", "保存", { "重新保存", "不保存", "返回" }), 2);

        // The clipboard holds the address alone, whatever it held before.
        auto *before = new QMimeData;
        before->setImageData(QImage(4, 4, QImage::Format_RGB32));
        before->setHtml("<b>old</b>");
        QGuiApplication::clipboard()->setMimeData(before);
        QtClipboard().setText(downloadAddress());
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { "text/plain" });
        QCOMPARE(QGuiApplication::clipboard()->text(), downloadAddress());

        QDesktopServices::setUrlHandler("https", this, "openInBrowser");
        QVERIFY(QtLauncher().openUrl(QUrl(downloadAddress())));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_browsed, QList<QUrl> { QUrl(downloadAddress()) });

        // The time since the computer started, and the wall clock's.
        SystemClock clock;
        QVERIFY(clock.elapsedMilliseconds() > 0);
        QVERIFY(clock.now().isValid());
        QVERIFY(qAbs(clock.now().secsTo(QDateTime::currentDateTime())) < 60);
    }

    // The icon in the notification area, as the desktop shows it: its tool tip, a click and its
    // menu.
    void reachesTheUserAndOtherCopies()
    {
        QtTrayAndTaskbar trayAndTaskbar;
        QStringList commands;
        trayAndTaskbar.setTrayCommands([&commands] { commands << "show"; },
                                       [&commands] { commands << "cancel"; });
        trayAndTaskbar.showTrayIcon("2:59:59后关机");
        auto *icon = trayAndTaskbar.findChild<QSystemTrayIcon *>();
        QVERIFY(icon && icon->isVisible());
        QCOMPARE(icon->toolTip(), "2:59:59后关机");
        Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
        QStringList items;
        for (QAction *action : icon->contextMenu()->actions()) {
            items << action->text();
            action->trigger();
        }
        QCOMPARE(items, QStringList({ "显示", "取消关机" }));
        QCOMPARE(commands, QStringList({ "show", "show", "cancel" }));
        trayAndTaskbar.hideTrayIcon();
        QVERIFY(!icon->isVisible());
    }

private:
    void startProgram()
    {
        startProgram(m_fakes->platform);
    }

    void startProgram(Platform &platform)
    {
        endProgram();
        m_program = std::make_unique<Program>(platform);
        m_finished = std::make_unique<QSignalSpy>(m_program.get(), &Program::finished);
        m_endsNow = std::make_unique<QSignalSpy>(m_program.get(), &Program::endNow);
        m_program->start();
        QVERIFY(QTest::qWaitForWindowExposed(m_program->mainWindow()));
    }

    void endProgram()
    {
        m_finished.reset();
        m_endsNow.reset();
        m_program.reset();
    }

    // The runtime and temporary folders are those until the guard goes; the runtime folder is
    // made the user's own, as the system makes it.
    static QScopeGuard<std::function<void()>> useFolders(const QString &runtime,
                                                         const QString &temporary)
    {
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray saved[] = { qgetenv("XDG_RUNTIME_DIR"), qgetenv("TMPDIR") };
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temporary));
        return qScopeGuard(std::function<void()>([saved] {
            qputenv("XDG_RUNTIME_DIR", saved[0]);
            qputenv("TMPDIR", saved[1]);
        }));
    }

    HelpWindow *openHelp()
    {
        child<QAction>(m_program->mainWindow(), "halp")->trigger();
        return m_program->helpWindow();
    }

    // The window of that name, opened as a user does.
    QWidget *openWindow(const QString &name)
    {
        if (name == "Form2")
            return openHelp();
        if (name == "Form3") {
            child<QAction>(m_program->mainWindow(), "CK1")->trigger();
            return m_program->previewWindow();
        }
        if (name == "Form4")
            return scheduler();
        if (name == "Form5")
            return triggerSchedule();
        return m_program->mainWindow();
    }

    // The scheduler, opened from the main window, ticking only when told.
    SchedulerWindow *scheduler()
    {
        if (!m_program->schedulerWindow() || !m_program->schedulerWindow()->isVisible()) {
            click(m_program->mainWindow(), "Command2");
            m_schedulerInterval = GuiTest::freezeTimer(m_program->schedulerWindow());
        }
        return m_program->schedulerWindow();
    }

    QString line(const char *label)
    {
        return child<QLabel>(scheduler(), label)->text();
    }
    // Types over whatever an entry held, as a user who selects it all first.
    void typeInto(const char *entry, const QString &text)
    {
        auto *combo = scheduler()->findChild<QComboBox *>(entry);
        QLineEdit *edit = combo ? combo->lineEdit() : child<QLineEdit>(scheduler(), entry);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        GuiTest::typeText(edit, text);
    }

    void tick(int seconds)
    {
        m_fakes->clock.advance(seconds);
        GuiTest::fireTimer(scheduler());
    }

    // Sets a countdown of five seconds and lets it fall due on the tick after a night's sleep:
    // the final count still takes its ten ticks then.
    CountdownWindow *triggerSchedule()
    {
        typeInto("Text3", "5");
        click(scheduler(), "Command2");
        tick(8 * 3600);
        CountdownWindow *countdown = m_program->countdownWindow();
        if (countdown)
            m_countdownInterval = GuiTest::freezeTimer(countdown);
        return countdown;
    }

    FakePlatform *m_fakes = nullptr;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QSignalSpy> m_finished;
    // Asked to end at once, as a signal or the session's end asks: never by the windows alone.
    std::unique_ptr<QSignalSpy> m_endsNow;
    int m_schedulerInterval = 0;
    int m_countdownInterval = 0;
    QList<QUrl> m_browsed;
};

ORMEK_GUI_TEST_MAIN(TestProgram)
#include "tst_program.moc"
