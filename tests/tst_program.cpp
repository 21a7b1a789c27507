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
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qwindowsysteminterface.h>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using GuiTest::child;
using GuiTest::click;
using GuiTest::fireTimer;
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
        m_fakes = std::make_unique<FakePlatform>();
        // Past the first run: no welcome among the messages.
        m_fakes->store.values.insert("使用次数/N", "1");
        startProgram();
    }

    void cleanup()
    {
        endProgram();
        settle();
        m_fakes.reset();
    }

    // One help window, which "关闭" hides and the frame discards; it copies and opens the address.
    void opensHelpOnce()
    {
        const auto text = [this] {
            return child<QPlainTextEdit>(openWindow("Form2"), "RichTextBox1")->toPlainText();
        };
        const QString first = text();
        HelpWindow *help = m_program->helpWindow();
        click(help, "Command1");
        QVERIFY(!help->isVisible());
        QCOMPARE(text(), first);
        QCOMPARE(m_program->helpWindow(), help);
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
        QCOMPARE(text(), first);
    }

    void speaksChineseInQtsOwnMenus_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("menu");
        QTest::newRow("quantity box") << "Form1/Text1"
                                      << "撤消(&U) 重做(&R) 剪切(&T) 复制(&C) 粘贴(&P) 删除 全选";
        QTest::newRow("help text") << "Form2/RichTextBox1"
                                   << "复制(&C) 全选";
    }

    // Qt's own texts speak Chinese too: a text field's context menu, opened by a right click.
    void speaksChineseInQtsOwnMenus()
    {
        QFETCH(QString, field);
        QFETCH(QString, menu);
        QStringList items;
        GuiTest::answerModalBox([&items](QWidget *shown) {
            for (QAction *action : shown->actions())
                items << action->text().section(u'\t', 0, 0);
            shown->close();
        });
        GuiTest::clickThroughWindow(openWindow(field.section('/', 0, 0)), field.section('/', 1),
                                    Qt::RightButton);
        QCOMPARE(items.join(u' ').simplified(), menu);
    }

    void firesOnceAtOrPastTheTarget()
    {
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
        QSignalSpy due(scheduler(), &SchedulerWindow::scheduleDue);
        QCOMPARE(m_schedulerInterval, 1000);
        QCOMPARE(scheduler()->windowTitle(), "自动关机");
        typeInto("Combo2", "1");
        QTest::keyClick(child<QComboBox>(scheduler(), "Combo2")->lineEdit(), Qt::Key_Return);
        QCOMPARE(child<QComboBox>(scheduler(), "Combo2")->count(), 60);
        typeInto("Combo2", "00");
        typeInto("Combo1", "01");
        click(scheduler(), "Command1");
        QCOMPARE(child<QComboBox>(scheduler(), "Combo1")->currentText(), "00");
        tick(1);
        QCOMPARE(shown(),
                 "关机时间：01时00分00秒|系统时间：22时00分01秒|距离关机时间还剩：2小时59分59秒|"
                 "距离关机时间秒数：10799秒|2:59:59后关机");
        // A countdown refused leaves the schedule running, and its entries for correcting.
        click(scheduler(), "Command2");
        typeInto("Text2", "abc");
        click(scheduler(), "Command2");
        QCOMPARE(m_fakes->dialogs.messages,
                 QStringList({ "请输入倒计时！|提示", "请输入有效的时间！|提示" }));
        QCOMPARE(child<QLineEdit>(scheduler(), "Text2")->text(), "abc");
        QVERIFY(shown().startsWith("关机时间：01时00分00秒|"));
        typeInto("Text2", "");
        // Put away, it goes on across midnight; a busy machine's tick comes a minute late.
        SchedulerWindow *hidden = scheduler();
        click(hidden, "Command3");
        m_fakes->clock.advance(10799 - 1);
        fireTimer(hidden);
        QCOMPARE(due.size(), 0);
        m_fakes->clock.advance(60);
        fireTimer(hidden);
        fireTimer(hidden);
        QCOMPARE(due.size(), 1);
        QVERIFY(!hidden->isRunning());
        // A countdown follows the time that passes, whatever the clock is set to.
        typeInto("Text3", "20");
        click(scheduler(), "Command2");
        QVERIFY(child<QLineEdit>(scheduler(), "Text3")->text().isEmpty());
        m_fakes->clock.current = m_fakes->clock.current.addSecs(-3600);
        tick(19);
        QVERIFY(shown().contains("|距离关机时间秒数：1秒|"));
        tick(1);
        QCOMPARE(due.size(), 2);
        typeInto("Text3", "30");
        click(scheduler(), "Command2");
        scheduler()->close();
        QVERIFY(!hidden->isRunning());
    }

    // The last warning stays on top, asks to be seen, has Enter cancel; ten seconds, each told,
    // then the command. (tst_unixsession sees the computer kept awake meanwhile.)
    void countsTenSecondsToTheCommand()
    {
        CountdownWindow *countdown = triggerSchedule();
        QCOMPARE(m_countdownInterval, 1000);
        QVERIFY(countdown->windowFlags().testFlags(Qt::Tool | Qt::WindowStaysOnTopHint));
        QCOMPARE(m_fakes->trayAndTaskbar.alerted, QList<QWidget *> { countdown });
        countdown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(countdown));
        QCOMPARE(QApplication::focusWidget()->objectName(), "Command2");
        QCOMPARE(countDown(4), "4 您设置的时间已到,计算机将于6秒后关闭");
        QCOMPARE(m_fakes->trayAndTaskbar.icon, "0:0:6后关机");
        QVERIFY(m_fakes->launcher.starts.isEmpty());
        QCOMPARE(countDown(6), "10 计算机正在关闭！");
        QVERIFY(!countdown->isRunning());
        QCOMPARE(m_fakes->launcher.starts.size(), 1);
    }

    void endsTheFinalCountWithoutTheCommand_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("取消关机, which hides the scheduler too") << "button";
        QTest::newRow("取消关机 in the notification area") << "tray";
        QTest::newRow("the frame's close, which discards it") << "frame";
    }

    // Neither starts the command, and the next schedule counts afresh.
    void endsTheFinalCountWithoutTheCommand()
    {
        QFETCH(QString, how);
        const bool cancel = how != "frame";
        QPointer<CountdownWindow> countdown = triggerSchedule();
        countDown(4);
        if (how == "button")
            click(countdown, "Command2");
        else
            how == "tray" ? m_fakes->trayAndTaskbar.cancelCommand() : void(countdown->close());
        QVERIFY(!countdown->isVisible());
        QVERIFY(!child<QTimer>(countdown, "Timer1")->isActive());
        QVERIFY(!cancel || !m_program->schedulerWindow()->isVisible());
        settle();
        QVERIFY(!m_fakes->sleepInhibitor.held);
        QCOMPARE(bool(countdown), cancel);
        QCOMPARE(triggerSchedule() == countdown, cancel);
        QCOMPARE(countDown(0), "0 ");
        QVERIFY(m_program->countdownWindow()->isRunning());
        QVERIFY(m_fakes->launcher.starts.isEmpty());
    }

    void tellsAFailedCommand_data()
    {
        QTest::addColumn<bool>("windowGone");
        QTest::newRow("on the final count, which tries again") << false;
        QTest::newRow("after the final count is gone") << true;
    }

    void tellsAFailedCommand()
    {
        QFETCH(bool, windowGone);
        CountdownWindow *countdown = triggerSchedule();
        countDown(10);
        if (windowGone)
            countdown->close();
        settle();
        m_fakes->launcher.finishNext(false);
        QCOMPARE(m_fakes->dialogs.messages, QStringList { "关机命令执行失败！|关机" });
        if (windowGone)
            return;
        QCOMPARE(countDown(0), "10 关机失败！");
        click(countdown, "Command1");
        QCOMPARE(countDown(0), "10 计算机正在关闭！");
        QCOMPARE(m_fakes->launcher.starts.size(), 2);
    }

    void closesAWindowUnderItsBox_data()
    {
        // After the name: the window closed, the command, the window active, an answer.
        QTest::addColumn<QString>("row");
        for (const char *row :
             { "main: a name's box|Form1 Form1/btn1 Form1",
               "main: a price's box|Form1 Form1/s1 Form1",
               "main: a name's box on help, answered|Form1 Form1/btn1 Form2 新名",
               "main: a price's box on help, answered|Form1 Form1/s1 Form2 12",
               "main: a preset saved|Form1 Form1/BC1 Form1",
               "main: the table reset|Form1 Form1/CSH Form1",
               "help: the address copied|Form2 Form2/Command2 Form2",
               "help: no browser|Form2 Form2/Label9 Form2",
               "preview: its slot loaded|Form3 Form3/Command1 Form3",
               "scheduler: no countdown|Form4 Form4/Command2 Form4",
               "final count: the command failed|Form5 Form5/Command1 Form5",
               "final count, under a price box on main|Form5 Form1/s1 Form1",
               "final count, under a preset saved on main|Form5 Form1/BC1 Form1" })
            QTest::newRow(QByteArray(row).split('|').at(0).constData())
                    << QString(row).section('|', 1);
    }

    // A window closed, by its frame or the program, while a box of its own or another window's
    // waits: it is gone, nothing touches it afterwards, and a final count closed starts nothing.
    void closesAWindowUnderItsBox()
    {
        QFETCH(QString, row);
        const QString command = row.section(' ', 1, 1), answer = row.section(' ', 3);
        QtDialogs dialogs;
        Platform platform = m_fakes->with(dialogs);
        startProgram(&platform);
        auto end = qScopeGuard([this] { endProgram(); });
        m_fakes->launcher.openUrlSucceeds = false;
        QPointer<QWidget> closed = openWindow(row.section(' ', 0, 0));
        QWidget *commandWindow = openWindow(command.section('/', 0, 0));
        QWidget *active = openWindow(row.section(' ', 2, 2));
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
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
        if (auto *action = commandWindow->findChild<QAction *>(command.section('/', 1)))
            action->trigger();
        else
            click(commandWindow, command.section('/', 1));
        if (command == "Form5/Command1")
            m_fakes->launcher.finishNext(false);
        settle();
        QVERIFY(!closed);
        QCOMPARE(m_fakes->launcher.starts.size(), command == "Form5/Command1" ? 1 : 0);
    }

    void keepsAPendingShutdownInReach_data()
    {
        QTest::addColumn<bool>("trayFirst");
        QTest::addColumn<bool>("tray");
        QTest::newRow("with a notification area") << true << true;
        QTest::newRow("without a notification area") << false << false;
        QTest::newRow("with a notification area that goes away") << true << false;
    }

    // A schedule put away with the main window closed: the icon, or else the scheduler in the
    // taskbar, or a later start, leads back to it; the computer stays awake until it ends.
    void keepsAPendingShutdownInReach()
    {
        QFETCH(bool, trayFirst);
        QFETCH(bool, tray);
        m_fakes->trayAndTaskbar.tray = trayFirst;
        QCOMPARE(m_fakes->singleInstance.calls, 1);
        m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
        QCOMPARE(reach(), "icon none, awake 0, called 0, finished 0");
        typeInto("Combo1", "01");
        click(scheduler(), "Command1");
        tick(1);
        settle();
        QCOMPARE(reach(),
                 trayFirst ? "icon 2:59:59后关机, awake 1, called 1, finished 0"
                           : "icon none, awake 1, called 1, finished 0");
        m_fakes->trayAndTaskbar.tray = tray;
        SchedulerWindow *hidden = m_program->schedulerWindow();
        click(hidden, "Command3");
        m_program->mainWindow()->close();
        settle();
        settle();
        QCOMPARE(reach().startsWith("icon none"), !tray);
        QCOMPARE(m_finished->size(), 0);
        QCOMPARE(hidden->isVisible(), !tray);
        QCOMPARE(hidden->isMinimized(), !tray);
        if (!tray) {
            hidden->showNormal();
            click(hidden, "Command3");
            settle();
            QVERIFY(hidden->isMinimized());
        }
        // A later start of the program calls this copy.
        m_fakes->singleInstance.called();
        QVERIFY(hidden->isVisible() && !hidden->isMinimized());
        tick(1);
        settle();
        QCOMPARE(reach(),
                 tray ? "icon 2:59:58后关机, awake 1, called 1, finished 0"
                      : "icon none, awake 1, called 1, finished 0");
        if (tray) {
            click(hidden, "Command3");
            m_fakes->trayAndTaskbar.showCommand();
            QVERIFY(hidden->isVisible());
            click(hidden, "Command3");
            m_fakes->trayAndTaskbar.cancelCommand();
        } else {
            hidden->close();
        }
        settle();
        settle();
        QVERIFY(!m_program->schedulerWindow());
        QCOMPARE(reach(), "icon none, awake 0, called 0, finished 1");
    }

    void keepsOnePendingShutdownPerSession_data()
    {
        // What the other copy's user clicks: 自动关机, or 开始 in its scheduler opened before, or
        // 自动关机 again with that scheduler open.
        QTest::addColumn<QString>("otherClicks");
        QTest::addColumn<QString>("planted");
        const QString menu = "自动关机", again = "自动关机 again", start = "开始";
        QTest::newRow("自动关机 in another copy") << menu << "";
        QTest::newRow("自动关机 in another copy, its scheduler open") << again << "";
        QTest::newRow("a start in another copy's scheduler opened before") << start << "";
        QTest::newRow("a runtime folder too long for a socket") << start << "long";
#ifdef Q_OS_UNIX
        QTest::newRow("a socket left by a copy that crashed") << menu << "stale";
        QTest::newRow("the socket's path held by another program") << menu << "held";
        QTest::newRow("a lock left naming a longer path") << menu << "longer";
        QTest::newRow("a lock naming a path too long for a socket") << menu << "garbage";
        // Where no call can reach it, it says so and each copy holds its own.
        QTest::newRow("unreached: a link planted at the lock") << menu << "link";
        // A runtime folder too long, and the temporary one open to all.
        QTest::newRow("unreached: no folder of the user's own") << menu << "open";
#endif
    }

    // Two copies, through the real call: while one holds a pending shutdown, the other leads to
    // it and holds none of its own; once the first holds none, the other opens its scheduler.
    void keepsOnePendingShutdownPerSession()
    {
        QFETCH(QString, otherClicks);
        const bool openedBefore = otherClicks != "自动关机";
        QFETCH(QString, planted);
        const bool reached = !QByteArray(QTest::currentDataTag()).startsWith("unreached");
        QTemporaryDir base;
        const QString runtime =
                base.filePath(planted == "long" || planted == "open" ? QString(100, u'r') : "run");
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray saved[] = { qgetenv("XDG_RUNTIME_DIR"), qgetenv("TMPDIR") };
        auto restore = qScopeGuard([&saved] {
            qputenv("XDG_RUNTIME_DIR", saved[0]);
            qputenv("TMPDIR", saved[1]);
        });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(base.path()));
#ifdef Q_OS_UNIX
        const bool socket = planted == "stale" || planted == "held";
        const int left = socket ? ::socket(AF_UNIX, SOCK_STREAM, 0) : -1;
        auto closeLeft = qScopeGuard([left] { ::close(left); });
        sockaddr_un address = { AF_UNIX, {} };
        qstrncpy(address.sun_path, QFile::encodeName(runtime + "/ormek-calculator"), 108);
        QVERIFY(left < 0
                || ::bind(left, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0);
        QVERIFY(planted != "held" || ::listen(left, 4) == 0);
        QFile lock(runtime + "/ormek-calculator.lock");
        const QByteArray lockText = planted == "longer" ? address.sun_path + QByteArray("s")
                : planted == "garbage"                  ? QByteArray(200, 'x')
                                                        : QByteArray();
        QVERIFY(lockText.isEmpty()
                || (lock.open(QIODevice::WriteOnly) && lock.write(lockText) > 0 && lock.flush()));
        QVERIFY(planted != "link" || QFile::link(base.filePath("elsewhere"), lock.fileName()));
        const QByteArray ownFolder = QFile::encodeName(base.filePath("ormek-calculator-"))
                + QByteArray::number(::getuid());
        QVERIFY(planted != "open"
                || (::mkdir(ownFolder, 0700) == 0 && ::chmod(ownFolder, 0777) == 0));
#endif
        // Said only where no call reaches the other copy.
        const QRegularExpression unreachable("^无法使用 ");
        if (reached)
            QTest::failOnWarning(unreachable);
        else
            QTest::ignoreMessage(QtWarningMsg, unreachable);
        SystemSingleInstance firstCopies, otherCopies;
        Platform first = m_fakes->with(firstCopies);
        startProgram(&first);
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
        QPointer<SchedulerWindow> pending = scheduler();
        click(pending, "Command3");
        settle();
        const bool start = otherClicks == "开始";
        if (start)
            child<QLineEdit>(other.schedulerWindow(), "Text3")->setText("60");
        click(start ? static_cast<QWidget *>(other.schedulerWindow()) : other.mainWindow(),
              "Command2");
        QTRY_COMPARE(pending && pending->isVisible(), reached);
        settle();
        QVERIFY(!QFile::exists(base.filePath("elsewhere")));
        QCOMPARE(!other.schedulerWindow(), reached);
        QVERIFY(pending && pending->isRunning());
        if (!reached) {
            // Each copy holds its own.
            child<QLineEdit>(other.schedulerWindow(), "Text3")->setText("60");
            click(other.schedulerWindow(), "Command2");
            settle();
            QVERIFY(other.schedulerWindow() && other.schedulerWindow()->isRunning());
            return;
        }
        QVERIFY(m_fakes->trayAndTaskbar.icon && !otherFakes.trayAndTaskbar.icon);
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
        // A change not saved yet, as after a failed write; then what the platform does at logoff.
        m_program->mainWindow()->row(1).setPrice("123");
        if (sessionEnds)
            QGuiApplicationPrivate::instance()->commitData();
        else
            click(triggerSchedule(), "Command1");
        QCOMPARE(m_fakes->launcher.starts.size(), sessionEnds ? 0 : 1);
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
        for (QWidget *window : QWidgetList { main, m_program->helpWindow(), preview, hidden })
            QVERIFY2(placed(window), window->metaObject()->className());
        click(hidden, "Command3");
        main->close();
        settle();
        QVERIFY(!m_program->mainWindow());
        QCOMPARE(m_finished->size(), 0);
        // The hidden schedule fires; its final count keeps the run going, closed it starts nothing.
        m_fakes->clock.advance(30);
        fireTimer(hidden);
        m_program->helpWindow()->show();
        m_program->helpWindow()->hide();
        settle();
        QCOMPARE(m_finished->size(), 0);
        QVERIFY(placed(m_program->countdownWindow()) && m_program->countdownWindow()->isVisible());
        preview->show();
        m_program->countdownWindow()->close();
        settle();
        QCOMPARE(m_finished->size(), 0);
        // The preview's button loads nothing now; hiding it ends the run, once.
        click(preview, "Command1");
        settle();
        QCOMPARE(m_finished->size(), 1);
        QVERIFY(m_fakes->launcher.starts.isEmpty());
        m_program->helpWindow()->show();
        m_program->helpWindow()->hide();
        settle();
        QCOMPARE(m_finished->size(), 1);
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
        fakes.dialogs.onMessage = std::bind(&Program::saveAndQuit, &program);
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

    // Through the real launcher, with stand-ins that record their call alone on PATH.
    void runsTheRealCommandFromPath()
    {
        QFETCH(int, exitCode);
        QTemporaryDir standIns;
        QFile record(exitCode == -1 ? standIns.filePath("started")
                                    : GuiTest::writeShutdownStandIns(standIns.path(), exitCode));
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
        QVERIFY(!succeeded);
        QTRY_VERIFY(succeeded);
        QCOMPARE(*succeeded, exitCode == 0);
        QCOMPARE(record.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(record.readAll()) : "",
                 exitCode >= 0 ? command.program + u' ' + command.arguments.join(u' ') + u'\n'
                               : QString());
    }

    void asksForTextInTheDesktopsBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return: the text as typed") << int(Qt::Key_Return);
        QTest::newRow("Esc: none") << int(Qt::Key_Escape);
    }

    // The prompt as given, wrapped within the screen above the field, the buttons below; a paste
    // too long is refused, not cut silently; the box blocks its own window only.
    void asksForTextInTheDesktopsBox()
    {
        QFETCH(int, key);
        const QString prompt = pricePrompt(QString(300, u'长') + "<b>");
        GuiTest::answerModalBox([&](QWidget *box) {
            QCOMPARE(box->windowTitle(), "设置");
            QCOMPARE(box->windowModality(), Qt::WindowModal);
            auto *field = box->findChild<QLineEdit *>();
            QLabel *shown = nullptr, *tooLong = nullptr;
            for (QLabel *label : box->findChildren<QLabel *>())
                (label->text() == prompt ? shown : tooLong) = label;
            QCOMPARE(shown->textFormat(), Qt::PlainText);
            QVERIFY(field->geometry().top() > shown->geometry().bottom());
            QVERIFY(box->width() <= box->screen()->availableGeometry().width());
            QVERIFY(shown->minimumSizeHint().width() <= shown->width());
            QCOMPARE(tooLong->text(), "文字过长：最多32767个字符。");
            for (const QString &pasted : { QString(40000, u'长'), QString("名 <b>") }) {
                const bool refused = pasted.size() > 32767;
                field->selectAll();
                field->insert(pasted);
                for (QPushButton *button : box->findChildren<QPushButton *>()) {
                    QVERIFY(button->mapTo(box, QPoint()).y() > field->geometry().bottom());
                    QCOMPARE(button->isEnabled(), !refused || button->text() == "取消");
                }
                QCOMPARE(tooLong->isVisible(), refused);
            }
            QTest::keyClick(field, Qt::Key(key));
        });
        QCOMPARE(QtDialogs().askText(prompt, "设置"), key == Qt::Key_Return ? "名 <b>" : "");
    }

    void showsMessagesAndChoicesInTheDesktopsBox_data()
    {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("chosen");
        const QStringList choices { "重新保存", "不保存", "返回" };
        QTest::newRow("a message") << QStringList() << int(Qt::Key_Return) << -1;
        QTest::newRow("a choice, Return: the first") << choices << int(Qt::Key_Return) << 0;
        QTest::newRow("a choice, Esc: the last") << choices << int(Qt::Key_Escape) << 2;
    }

    // As given, markup too, without an icon, blocking its own window only.
    void showsMessagesAndChoicesInTheDesktopsBox()
    {
        QFETCH(QStringList, choices);
        QFETCH(int, key);
        QFETCH(int, chosen);
        GuiTest::answerModalBox([&](QWidget *box) {
            auto *message = qobject_cast<QMessageBox *>(box);
            QCOMPARE(message->text() + message->windowTitle(), "<b>保存失败！</b>保存");
            QCOMPARE(message->textFormat(), Qt::PlainText);
            QCOMPARE(message->icon(), QMessageBox::NoIcon);
            QCOMPARE(message->windowModality(), Qt::WindowModal);
            QStringList buttons;
            for (QAbstractButton *button : message->buttons())
                buttons << button->text();
            QCOMPARE(buttons, choices.isEmpty() ? QStringList { "确定" } : choices);
            QTest::keyClick(box, Qt::Key(key));
        });
        QtDialogs dialogs;
        if (choices.isEmpty())
            dialogs.showMessage("<b>保存失败！</b>", "保存");
        else
            QCOMPARE(dialogs.askChoice("<b>保存失败！</b>", "保存", choices), chosen);
    }

    void copiesTheAddressAloneToTheClipboard()
    {
        auto *before = new QMimeData;
        before->setImageData(QImage(4, 4, QImage::Format_RGB32));
        before->setHtml("<b>old</b>");
        QGuiApplication::clipboard()->setMimeData(before);
        QtClipboard().setText(downloadAddress());
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { "text/plain" });
        QCOMPARE(QGuiApplication::clipboard()->text(), downloadAddress());
    }

    void handsTheAddressToTheBrowser()
    {
        QDesktopServices::setUrlHandler("https", this, "openInBrowser");
        QVERIFY(QtLauncher().openUrl(QUrl(downloadAddress())));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_browsed, QList<QUrl> { QUrl(downloadAddress()) });
    }

    // The time since the computer started, which the uptime agrees with, and the wall clock's.
    void readsTheSystemsClocks()
    {
        SystemClock clock;
#ifdef Q_OS_LINUX
        QFile uptime("/proc/uptime");
        QVERIFY(uptime.open(QIODevice::ReadOnly));
        QVERIFY(qAbs(clock.elapsedMilliseconds() / 1e3 - uptime.readAll().split(' ')[0].toDouble())
                < 1);
#endif
        QVERIFY(clock.now().isValid());
        QVERIFY(qAbs(clock.now().secsTo(QDateTime::currentDateTime())) < 60);
    }

    // The icon in the notification area: its tool tip, a click and its menu.
    void showsAnIconInTheNotificationArea()
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
        for (QAction *action : icon->contextMenu()->actions()) {
            commands << action->text();
            action->trigger();
        }
        QCOMPARE(commands, QStringList({ "show", "显示", "show", "取消关机", "cancel" }));
        trayAndTaskbar.hideTrayIcon();
        QVERIFY(!icon->isVisible());
    }

private:
    void startProgram(Platform *platform = nullptr)
    {
        endProgram();
        m_program = std::make_unique<Program>(platform ? *platform : m_fakes->platform);
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

    QWidget *openWindow(const QString &name)
    {
        if (name == "Form2" || name == "Form3")
            child<QAction>(m_program->mainWindow(), name == "Form2" ? "halp" : "CK1")->trigger();
        if (name == "Form4" || name == "Form5")
            return name == "Form4" ? static_cast<QWidget *>(scheduler()) : triggerSchedule();
        return GuiTest::shownWindow(name);
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

    // Its lines of time and its caption.
    QString shown()
    {
        QStringList lines;
        for (const char *label : { "Label7", "Label10", "Label8", "Label9" })
            lines << child<QLabel>(scheduler(), label)->text();
        return lines.join(u'|') + u'|' + scheduler()->windowTitle();
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
        fireTimer(scheduler());
    }

    // A countdown of five seconds due on a tick after a night's sleep: still ten ticks to count.
    CountdownWindow *triggerSchedule()
    {
        typeInto("Text3", "5");
        click(scheduler(), "Command2");
        tick(8 * 3600);
        m_countdownInterval = GuiTest::freezeTimer(m_program->countdownWindow());
        settle();
        return m_program->countdownWindow();
    }

    // The final count's position and message after so many more ticks.
    QString countDown(int ticks)
    {
        CountdownWindow *countdown = m_program->countdownWindow();
        for (int i = 0; i < ticks; ++i)
            fireTimer(countdown);
        return QString::number(child<QProgressBar>(countdown, "ProgressBar1")->value()) + u' '
                + child<QLabel>(countdown, "Label1")->text();
    }

    // The icon's tool tip, the computer kept awake, this copy called by later ones, the run.
    QString reach()
    {
        const FakeTrayAndTaskbar &desktop = m_fakes->trayAndTaskbar;
        return QString("icon %1, awake %2, called %3, finished %4")
                .arg(desktop.icon.value_or("none"))
                .arg(m_fakes->sleepInhibitor.held)
                .arg(bool(m_fakes->singleInstance.called))
                .arg(m_finished->size());
    }

    std::unique_ptr<FakePlatform> m_fakes;
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
