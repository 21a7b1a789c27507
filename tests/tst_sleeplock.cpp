// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainwindow.h"
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

using GuiTest::child;
using GuiTest::click;
using GuiTest::settle;

// The lock that holds off idle sleep, taken from a stand-in logind on a private bus that
// serves as the system bus.
class TestSleepLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_bus.start(DBUS_DAEMON, { "--session", "--nofork", "--print-address=1" });
        QVERIFY(m_bus.waitForReadyRead());
        const QByteArray address = m_bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        m_logind.start(STANDIN_LOGIND, {});
        QVERIFY(m_logind.waitForReadyRead());
        QCOMPARE(m_logind.readLine().trimmed(), "ready");
    }

    void cleanupTestCase()
    {
        m_logind.kill();
        m_logind.waitForFinished();
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void isHeldWhileTheShutdownIsPending_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("取消关机") << "cancel";
        QTest::newRow("the shutdown command") << "shutdown";
        QTest::newRow("the program's end") << "exit";
    }

    // Taken when a schedule starts, and let go at the end of the count.
    void isHeldWhileTheShutdownIsPending()
    {
        QFETCH(QString, end);
        FakePlatform f;
        f.store.values.insert("使用次数/N", "1");
        SystemSleepInhibitor inhibitor;
        Platform platform = f.with(inhibitor);
        auto program = std::make_unique<Program>(platform);
        program->start();
        QCOMPARE(heldLocks(), 0);

        Q_EMIT program->mainWindow()->schedulerRequested();
        SchedulerWindow *scheduler = program->schedulerWindow();
        GuiTest::freezeTimer(scheduler);
        child<QLineEdit>(scheduler, "Text3")->setText("5");
        click(scheduler, "Command2");
        settle();
        QCOMPARE(heldLocks(), 1);
        const QDBusReply<QStringList> requests = logind().call("Requests");
        QCOMPARE(requests.value().constLast(), "sleep:idle|Ormek商人计算器|已设置自动关机|block");

        f.clock.advance(5);
        GuiTest::fireTimer(scheduler);
        CountdownWindow *countdown = program->countdownWindow();
        GuiTest::freezeTimer(countdown);
        settle();
        QCOMPARE(heldLocks(), 1);
        if (end == "cancel") {
            click(countdown, "Command2");
        } else if (end == "shutdown") {
            for (int i = 0; i < 10; ++i)
                GuiTest::fireTimer(countdown);
            QCOMPARE(f.launcher.starts.size(), 1);
        } else {
            program.reset();
        }
        settle();
        QCOMPARE(heldLocks(), 0);
    }

private:
    static QDBusInterface logind()
    {
        return QDBusInterface("org.freedesktop.login1", "/org/freedesktop/login1",
                              "org.freedesktop.login1.Manager", QDBusConnection::systemBus());
    }

    static int heldLocks()
    {
        const QDBusReply<int> held = logind().call("HeldLocks");
        return held.isValid() ? held.value() : -1;
    }

    QProcess m_bus;
    QProcess m_logind;
};

ORMEK_GUI_TEST_MAIN(TestSleepLock)
#include "tst_sleeplock.moc"
