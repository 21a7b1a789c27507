// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/mainwindow.h"
#include "platform/settingsstore.h"
#include "platform/startenvironment.h"
#include "platform/systemsleepinhibitor.h"
#include "platform/unixsignalwatcher.h"
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDir>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace GuiTest;

const char busAddress[] = "DBUS_SESSION_BUS_ADDRESS";
const char repaints[] = "QT_XCB_NO_MITSHM";

// The program in a Unix session. The test stands in for logind on a private bus given as the
// system bus, handing out locks as logind does: the write end of a pipe.
class TestUnixSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode, const QDBusMessage &call)
    {
        m_requests << QStringList { what, who, why, mode }.join(u'|');
        call.setDelayedReply(m_silent);
        int ends[2];
        if (m_silent || pipe(ends) != 0)
            return {};
        m_locks.append({ ends[0], POLLIN, 0 });
        // Sent as a copy: the lock lasts while the caller keeps its own.
        const QDBusUnixFileDescriptor lock(ends[1]);
        close(ends[1]);
        return lock;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_bus.start(DBUS_DAEMON, { "--session", "--nofork", "--print-address=1" });
        QVERIFY(m_bus.waitForReadyRead());
        m_address = m_bus.readLine().trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(m_address), "s");
        QVERIFY(bus.registerObject("/org/freedesktop/login1", this,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.login1"));
        // A bus that takes connections and never says a word, as a hung one does.
        QVERIFY(m_deafBus.listen(m_folder.filePath("bus")));
        m_record = writeShutdownStandIns(m_folder.path());
        QVERIFY(!m_record.isEmpty());
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH"));
    }

    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void savesBeforeEnding_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("lockPlanted");
        for (int signalNumber : { SIGTERM, SIGHUP, SIGINT })
            QTest::newRow(strsignal(signalNumber)) << signalNumber << false;
        QTest::newRow("a pipe planted as the lock") << int(SIGTERM) << true;
    }

    // Ended by a signal after an unsaved change, the program saves it, or says on standard error
    // what it could not save; the same signal again while it ends does not cut the end short.
    void savesBeforeEnding()
    {
        QFETCH(int, signalNumber);
        QFETCH(bool, lockPlanted);
        QTemporaryDir folder;
        SettingsStore store(folder.filePath("Ormek商人计算器.conf"), QSettings::IniFormat);
        // Not a first run, which greets with a box.
        store.setValue("使用次数", "N", "1");
        QVERIFY(store.commit());
        QVERIFY(!lockPlanted || ::mkfifo(QFile::encodeName(store.location() + ".lock"), 0600) == 0);

        QProcess program;
        program.setEnvironment(QProcess::systemEnvironment() << "XDG_CONFIG_HOME=" + folder.path());

        program.start(SIGNAL_SAVE_CHILD, { "7777" });
        for (const char *said : { "ready\n", "ending\n" }) {
            QVERIFY(program.waitForReadyRead(20000));
            QCOMPARE(program.readAllStandardOutput(), said);
            QCOMPARE(::kill(program.processId(), signalNumber), 0);
        }
        program.closeWriteChannel();
        QVERIFY(program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        store.reload();
        QCOMPARE(store.value("物品名称及价格储存", "b1", ""), lockPlanted ? "" : "7777");
        QCOMPARE(store.value("使用次数", "N", ""), lockPlanted ? "1" : "2");
        QCOMPARE(program.readAllStandardError().contains("1\t设置\t7777\n"), lockPlanted);
        QVERIFY(!QFile::exists(m_record));
    }

    // Signals arrive as Qt signals; once the watcher is gone, ignored, and nothing it opened open.
    void watchesSignalsUntilGone()
    {
        const qsizetype before = QDir("/proc/self/fd").entryList(QDir::System).size();
        {
            UnixSignalWatcher watcher({ SIGUSR1 });
            QSignalSpy received(&watcher, &UnixSignalWatcher::received);
            QCOMPARE(::raise(SIGUSR1), 0);
            QTRY_COMPARE(received.size(), 1);
            QCOMPARE(received.at(0).at(0).toInt(), SIGUSR1);
        }
        QCOMPARE(QDir("/proc/self/fd").entryList(QDir::System).size(), before);
        QCOMPARE(::raise(SIGUSR1), 0);
    }

    void isHeldWhileTheShutdownIsPending_data()
    {
        QTest::addColumn<QString>("bus");
        QTest::addColumn<QString>("end");
        QTest::newRow("a system bus that never answers") << QString("deaf") << "shutdown";
        QTest::newRow("a logind that never answers") << QString("silent") << "shutdown";
        QTest::newRow("取消关机") << QString() << "cancel";
        QTest::newRow("the shutdown command") << QString() << "shutdown";
        QTest::newRow("the program's end") << QString() << "exit";
    }

    // Held from a schedule's start to the count's end; a hung bus or logind holds up nothing.
    void isHeldWhileTheShutdownIsPending()
    {
        QFETCH(QString, bus);
        QFETCH(QString, end);
        qputenv("DBUS_SYSTEM_BUS_ADDRESS",
                bus == "deaf" ? "unix:path=" + QFile::encodeName(m_deafBus.fullServerName())
                              : m_address);
        m_silent = bus == "silent";
        const int granted = bus.isEmpty();
        const qsizetype before = m_requests.size();
        FakePlatform f;
        f.store.values.insert("使用次数/N", "1");
        SystemSleepInhibitor inhibitor;
        Platform platform = f.with(inhibitor);
        auto program = std::make_unique<Program>(platform);
        program->start();
        QCOMPARE(heldLocks(), 0);

        Q_EMIT program->mainWindow()->schedulerRequested();
        SchedulerWindow *scheduler = program->schedulerWindow();
        freezeTimer(scheduler);
        child<QLineEdit>(scheduler, "Text3")->setText("5");
        click(scheduler, "Command2");
        settle();
        QTRY_COMPARE(heldLocks(), granted);
        QTRY_COMPARE(m_requests.mid(before),
                     QStringList(bus != "deaf", "sleep:idle|Ormek商人计算器|已设置自动关机|block"));

        f.clock.advance(5);
        fireTimer(scheduler);
        CountdownWindow *countdown = program->countdownWindow();
        QVERIFY(countdown && countdown->isVisible());
        freezeTimer(countdown);
        settle();
        QCOMPARE(heldLocks(), granted);
        if (end == "cancel") {
            click(countdown, "Command2");
        } else if (end == "shutdown") {
            for (int i = 0; i < 10; ++i)
                fireTimer(countdown);
            QCOMPARE(f.launcher.starts.size(), 1);
            f.launcher.finishNext(true);
        } else {
            program.reset();
        }
        settle();
        QTRY_COMPARE(heldLocks(), 0);
    }

    void blocksBusAutolaunchOnlyWithoutBus_data()
    {
        QTest::addColumn<QByteArray>("userAddress"); // empty: not set
        QTest::addColumn<int>("atBusPath"); // the type of file there, 0 for none, -1 for no folder
        QTest::addColumn<bool>("blocks");
        QTest::addColumn<QByteArray>("userRepaints"); // empty: not set
        const QByteArray none;
        QTest::newRow("no bus anywhere") << none << 0 << true << none;
        QTest::newRow("no runtime folder") << none << -1 << true << QByteArray("0");
        QTest::newRow("a file where the socket belongs") << none << int(S_IFREG) << true << none;
        QTest::newRow("the user's bus socket") << none << int(S_IFSOCK) << false << none;
        QTest::newRow("an address given")
                << QByteArray("unix:path=/somewhere/bus") << 0 << false << QByteArray("1");
    }

    // No session bus autolaunched for the program; the programs it starts get the user's settings.
    void blocksBusAutolaunchOnlyWithoutBus()
    {
        QFETCH(QByteArray, userAddress);
        QFETCH(int, atBusPath);
        QFETCH(bool, blocks);
        QFETCH(QByteArray, userRepaints);
        QTemporaryDir runtimeFolder;
        const QByteArray busPath = QFile::encodeName(runtimeFolder.filePath("bus"));
        QVERIFY(atBusPath <= 0 || ::mknod(busPath, mode_t(atBusPath) | 0600, 0) == 0);
        atBusPath < 0 ? qunsetenv("XDG_RUNTIME_DIR")
                      : qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
        userAddress.isEmpty() ? qunsetenv(busAddress) : qputenv(busAddress, userAddress);
        userRepaints.isEmpty() ? qunsetenv(repaints) : qputenv(repaints, userRepaints);

        StartEnvironment environment;
        // libdbus only autolaunches when the address is not set at all.
        const QByteArray whileStarting = qgetenv(busAddress);
        QCOMPARE(!whileStarting.isEmpty() && whileStarting != userAddress, blocks);
        QCOMPARE(qgetenv(repaints), userRepaints.isEmpty() ? "1" : userRepaints);
        environment.restore();
        QCOMPARE(qEnvironmentVariableIsSet(busAddress), !userAddress.isEmpty());
        QCOMPARE(qgetenv(busAddress), userAddress);
        QCOMPARE(qEnvironmentVariableIsSet(repaints), !userRepaints.isEmpty());
        QCOMPARE(qgetenv(repaints), userRepaints);
    }

private:
    // Those whose write end is still open somewhere.
    int heldLocks() { return int(m_locks.size()) - poll(m_locks.data(), m_locks.size(), 0); }

    QProcess m_bus;
    QStringList m_requests;
    bool m_silent = false;
    QList<pollfd> m_locks;
    QByteArray m_address;
    QTemporaryDir m_folder;
    QLocalServer m_deafBus;
    QString m_record;
};

ORMEK_GUI_TEST_MAIN(TestUnixSession)
#include "tst_unixsession.moc"
