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
#include <QDBusInterface>
#include <QDBusReply>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using GuiTest::child;
using GuiTest::click;
using GuiTest::settle;

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
        m_address = QString::fromLatin1(m_bus.readLine().trimmed());
        QVERIFY(!m_address.isEmpty());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toLatin1());
        m_logind.start(STANDIN_LOGIND, {});
        QVERIFY(m_logind.waitForReadyRead());
        QCOMPARE(m_logind.readLine().trimmed(), "ready");
        // A bus that takes connections and never says a word, as a hung one does.
        m_deafBus = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = { AF_UNIX, {} };
        qstrncpy(address.sun_path, QFile::encodeName(m_folder.filePath("bus")), 108);
        QVERIFY(::bind(m_deafBus, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0);
        QVERIFY(::listen(m_deafBus, 16) == 0);
        m_record = GuiTest::writeShutdownStandIns(m_folder.path());
        QVERIFY(!m_record.isEmpty());
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + qgetenv("PATH"));
    }

    void cleanupTestCase()
    {
        ::close(m_deafBus);
        m_logind.kill();
        m_logind.waitForFinished();
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
                bus == "deaf" ? "unix:path=" + QFile::encodeName(m_folder.filePath("bus"))
                              : m_address.toLatin1());
        QVERIFY(logind().call("SetSilent", bus == "silent").type() == QDBusMessage::ReplyMessage);
        const int granted = bus.isEmpty() ? 1 : 0;
        const qsizetype before = requests().size();
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
        GuiTest::freezeTimer(scheduler);
        child<QLineEdit>(scheduler, "Text3")->setText("5");
        click(scheduler, "Command2");
        settle();
        QTRY_COMPARE(heldLocks(), granted);
        QTRY_COMPARE(requests().mid(before),
                     bus == "deaf"
                             ? QStringList()
                             : QStringList { "sleep:idle|Ormek商人计算器|已设置自动关机|block" });

        f.clock.advance(5);
        GuiTest::fireTimer(scheduler);
        CountdownWindow *countdown = program->countdownWindow();
        QVERIFY(countdown && countdown->isVisible());
        GuiTest::freezeTimer(countdown);
        settle();
        QCOMPARE(heldLocks(), granted);
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
        QTRY_COMPARE(heldLocks(), 0);
    }

private:
    // On the stand-in's own bus, whatever serves as the system bus at the moment.
    QDBusInterface logind() const
    {
        return QDBusInterface("org.freedesktop.login1", "/org/freedesktop/login1",
                              "org.freedesktop.login1.Manager",
                              QDBusConnection::connectToBus(m_address, "standin"));
    }

    int heldLocks() const
    {
        const QDBusReply<int> held = logind().call("HeldLocks");
        return held.isValid() ? held.value() : -1;
    }

    QStringList requests() const
    {
        const QDBusReply<QStringList> requests = logind().call("Requests");
        return requests.value();
    }

    QProcess m_bus;
    QProcess m_logind;
    QString m_address;
    QTemporaryDir m_folder;
    int m_deafBus = -1;
    QString m_record;
};

ORMEK_GUI_TEST_MAIN(TestSleepLock)
#include "tst_sleeplock.moc"
