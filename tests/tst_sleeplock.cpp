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
#include <poll.h>
#include <unistd.h>

using namespace GuiTest;

// The lock that holds off idle sleep, asked of a bus or a logind that never answers, or taken
// from this test, which stands in for logind on a private bus that serves as the system bus:
// it hands out locks as logind does, the write end of a pipe.
class TestSleepLock : public QObject
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
        m_locks << ends[0];
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
        m_silent = bus == "silent";
        const int granted = bus.isEmpty();
        const qsizetype before = m_requests.size();
        FakePlatform f;
        f.store.values.insert("使用次数/N", "1");
        SystemSleepInhibitor inhibitor;
        QtLauncher launcher;
        Platform platform { f.store, f.dialogs, launcher,         f.clipboard,
                            f.clock, inhibitor, f.trayAndTaskbar, f.singleInstance };
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
                     bus == "deaf"
                             ? QStringList()
                             : QStringList { "sleep:idle|Ormek商人计算器|已设置自动关机|block" });

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
            QTRY_VERIFY(QFile::exists(m_record));
            QVERIFY(QFile::remove(m_record));
        } else {
            program.reset();
        }
        settle();
        QTRY_COMPARE(heldLocks(), 0);
    }

private:
    // Those whose write end is still open somewhere.
    int heldLocks() const
    {
        return int(std::count_if(m_locks.cbegin(), m_locks.cend(), [](int end) {
            pollfd check { end, POLLIN, 0 };
            return poll(&check, 1, 0) == 0;
        }));
    }

    QProcess m_bus;
    // Each as "what|who|why|mode".
    QStringList m_requests;
    bool m_silent = false;
    QList<int> m_locks;
    QByteArray m_address;
    QTemporaryDir m_folder;
    QLocalServer m_deafBus;
    QString m_record;
};

ORMEK_GUI_TEST_MAIN(TestSleepLock)
#include "tst_sleeplock.moc"
