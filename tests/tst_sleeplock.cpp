// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/mainwindow.h"
#include "platform/qtlauncher.h"
#include "platform/systemsleepinhibitor.h"
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using GuiTest::child;
using GuiTest::click;
using GuiTest::settle;

// Stands in for logind: hands out inhibitor locks as the real one does, the write end of a pipe,
// and tells which are still held. Made silent, it never answers.
class StandInLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    // Each as "what|who|why|mode".
    QStringList requests;
    bool silent = false;

    // Those whose write end is still open somewhere.
    int heldLocks() const
    {
        return int(std::count_if(m_locks.cbegin(), m_locks.cend(), [](int end) {
            pollfd check { end, POLLIN, 0 };
            return poll(&check, 1, 0) == 0;
        }));
    }

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode, const QDBusMessage &call)
    {
        requests << QStringList { what, who, why, mode }.join(u'|');
        call.setDelayedReply(silent);
        int ends[2];
        if (silent || pipe2(ends, O_CLOEXEC) != 0)
            return {};
        m_locks << ends[0];
        // Sent as a copy: the lock lasts while the caller keeps its own.
        const QDBusUnixFileDescriptor lock(ends[1]);
        close(ends[1]);
        return lock;
    }

private:
    QList<int> m_locks;
};

// The lock that holds off idle sleep, taken from a stand-in logind on a private bus that
// serves as the system bus, or asked in vain of a bus or a logind that never answers.
class TestSleepLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_bus.start(DBUS_DAEMON, { "--session", "--nofork", "--print-address=1" });
        QVERIFY(m_bus.waitForReadyRead());
        m_address = m_bus.readLine().trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(m_address), "s");
        QVERIFY(bus.registerObject("/org/freedesktop/login1", &m_logind,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.login1"));
        // A bus that takes connections and never says a word, as a hung one does.
        QVERIFY(m_deafBus.listen(m_folder.filePath("bus")));
        m_record = GuiTest::writeShutdownStandIns(m_folder.path());
        QVERIFY(!m_record.isEmpty());
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH"));
    }

    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
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

    // Taken when a schedule starts, and let go at the end of the count. A bus or a logind that
    // never answers holds up neither the window nor the count, nor the shutdown command.
    void isHeldWhileTheShutdownIsPending()
    {
        QFETCH(QString, bus);
        QFETCH(QString, end);
        qputenv("DBUS_SYSTEM_BUS_ADDRESS",
                bus == "deaf" ? "unix:path=" + QFile::encodeName(m_deafBus.fullServerName())
                              : m_address);
        m_logind.silent = bus == "silent";
        const int granted = bus.isEmpty();
        const qsizetype before = m_logind.requests.size();
        FakePlatform f;
        f.store.values.insert("使用次数/N", "1");
        SystemSleepInhibitor inhibitor;
        QtLauncher launcher;
        Platform platform { f.store, f.dialogs, launcher,         f.clipboard,
                            f.clock, inhibitor, f.trayAndTaskbar, f.singleInstance };
        auto program = std::make_unique<Program>(platform);
        program->start();
        QCOMPARE(m_logind.heldLocks(), 0);

        Q_EMIT program->mainWindow()->schedulerRequested();
        SchedulerWindow *scheduler = program->schedulerWindow();
        GuiTest::freezeTimer(scheduler);
        child<QLineEdit>(scheduler, "Text3")->setText("5");
        click(scheduler, "Command2");
        settle();
        QTRY_COMPARE(m_logind.heldLocks(), granted);
        QTRY_COMPARE(m_logind.requests.mid(before),
                     bus == "deaf"
                             ? QStringList()
                             : QStringList { "sleep:idle|Ormek商人计算器|已设置自动关机|block" });

        f.clock.advance(5);
        GuiTest::fireTimer(scheduler);
        CountdownWindow *countdown = program->countdownWindow();
        QVERIFY(countdown && countdown->isVisible());
        GuiTest::freezeTimer(countdown);
        settle();
        QCOMPARE(m_logind.heldLocks(), granted);
        if (end == "cancel") {
            click(countdown, "Command2");
        } else if (end == "shutdown") {
            for (int i = 0; i < 10; ++i)
                GuiTest::fireTimer(countdown);
            QTRY_VERIFY(QFile::exists(m_record));
            QVERIFY(QFile::remove(m_record));
        } else {
            program.reset();
        }
        settle();
        QTRY_COMPARE(m_logind.heldLocks(), 0);
    }

private:
    QProcess m_bus;
    StandInLogind m_logind;
    QByteArray m_address;
    QTemporaryDir m_folder;
    QLocalServer m_deafBus;
    QString m_record;
};

ORMEK_GUI_TEST_MAIN(TestSleepLock)
#include "tst_sleeplock.moc"
