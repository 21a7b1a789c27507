// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsstore.h"
#include "platform/startenvironment.h"
#include "platform/unixsignalwatcher.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <sys/stat.h>

const char busAddress[] = "DBUS_SESSION_BUS_ADDRESS";
const char repaints[] = "QT_XCB_NO_MITSHM";

// The program in a Unix session: ended by a signal, and started without a D-Bus session bus.
class TestUnixSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

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
        // Its store; and stand-ins first on PATH, so that no real shutdown command is reached.
        QTemporaryDir folder;
        const QString record = GuiTest::writeShutdownStandIns(folder.path());
        QVERIFY(!record.isEmpty());
        SettingsStore store(folder.filePath("Ormek商人计算器.conf"), QSettings::IniFormat);
        // Not a first run, which greets with a box.
        store.setValue("使用次数", "N", "1");
        QVERIFY(store.commit());
        QVERIFY(!lockPlanted || ::mkfifo(QFile::encodeName(store.location() + ".lock"), 0600) == 0);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", folder.path());
        environment.insert("PATH", folder.path() + u':' + qEnvironmentVariable("PATH"));
        QProcess program;
        program.setProcessEnvironment(environment);

        program.start(SIGNAL_SAVE_CHILD, { "7777" });
        QVERIFY(program.waitForReadyRead(20000));
        QCOMPARE(program.readAllStandardOutput(), "ready\n");
        QCOMPARE(::kill(program.processId(), signalNumber), 0);
        QVERIFY(program.waitForReadyRead(20000));
        QCOMPARE(program.readAllStandardOutput(), "ending\n");
        QCOMPARE(::kill(program.processId(), signalNumber), 0);
        program.closeWriteChannel();
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        store.reload();
        QCOMPARE(store.value("物品名称及价格储存", "b1", ""), lockPlanted ? "" : "7777");
        QCOMPARE(store.value("使用次数", "N", ""), lockPlanted ? "1" : "2");
        QCOMPARE(program.readAllStandardError().contains("1\t设置\t7777\n"), lockPlanted);
        QVERIFY(!QFile::exists(record));
    }

    // A signal reaches the event loop as a Qt signal. Once the watcher is gone the signal is
    // ignored, and nothing the watcher opened is left open.
    void watchesSignalsUntilGone()
    {
        const auto openFiles = [] {
            return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System).size();
        };
        const qsizetype before = openFiles();
        {
            UnixSignalWatcher watcher({ SIGUSR1 });
            QSignalSpy received(&watcher, &UnixSignalWatcher::received);
            QCOMPARE(::raise(SIGUSR1), 0);
            QTRY_COMPARE(received.size(), 1);
            QCOMPARE(received.at(0).at(0).toInt(), SIGUSR1);
        }
        QCOMPARE(openFiles(), before);
        QCOMPARE(::raise(SIGUSR1), 0);
    }

    void blocksBusAutolaunchOnlyWithoutBus_data()
    {
        QTest::addColumn<QByteArray>("userAddress"); // empty: not set
        QTest::addColumn<int>("atBusPath"); // the type of file there, 0 for none, -1 for no folder
        QTest::addColumn<bool>("blocks");
        QTest::addColumn<QByteArray>("userRepaints"); // empty: not set
        QTest::newRow("no bus anywhere") << QByteArray() << 0 << true << QByteArray();
        QTest::newRow("no runtime folder") << QByteArray() << -1 << true << QByteArray("0");
        QTest::newRow("a file where the socket belongs")
                << QByteArray() << int(S_IFREG) << true << QByteArray();
        QTest::newRow("the user's bus socket")
                << QByteArray() << int(S_IFSOCK) << false << QByteArray();
        QTest::newRow("an address given")
                << QByteArray("unix:path=/somewhere/bus") << 0 << false << QByteArray("1");
    }

    // Without a session bus, libdbus may not start one for the program, and the programs it
    // starts get the environment it was given.
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
};

QTEST_GUILESS_MAIN(TestUnixSession)
#include "tst_unixsession.moc"
