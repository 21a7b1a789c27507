#include "app/mainwindow.h"
#include "app/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <chrono>

using GuiTest::child;
using GuiTest::click;

namespace {

// The objects under each window, by window name, and the number of running timers.
QMap<QString, int> takeCensus()
{
    QMap<QString, int> census;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QObject *object : window->findChildren<QObject *>()) {
            ++census[window->objectName()];
            auto *timer = qobject_cast<QTimer *>(object);
            census["running timers"] += timer && timer->isActive();
        }
    }
    return census;
}

// Every tick is driven by hand: the windows' own timers keep running but never fall due.
void holdTimers()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QTimer *timer : window->findChildren<QTimer *>())
            timer->setInterval(std::chrono::hours(48));
    }
}

} // namespace

// A day and a night of a stall left running, on the fake clock, under the sanitizers.
class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsADayWithTwoSchedules();
};

void TestSoak::runsADayWithTwoSchedules()
{
    FakePlatform fakes;
    fakes.store.values = { { "使用次数/N", "1" }, { "物品名称及价格储存/b1", "1234.5" } };
    Program program(fakes.platform);
    program.start();
    MainWindow *window = program.mainWindow();
    QTest::keyClicks(child(window, "Text1"), "12");

    int totalTicks = 0;
    int clockTicks = 0;
    // Seconds pass as the timers would tick them: the total twice, the rest once a second.
    auto pass = [&](int seconds) {
        for (int i = 0; i < seconds; ++i) {
            fakes.clock.advance(1);
            window->updateTotal();
            window->updateClock();
            window->updateTotal();
            totalTicks += 2;
            ++clockTicks;
            // A final count started by this second's scheduler tick counts from the next one.
            CountdownWindow *countdown = program.countdownWindow();
            if (countdown && countdown->isRunning())
                countdown->updateCount();
            program.schedulerWindow()->updateSchedule();
            if (clockTicks % 600 == 0)
                GuiTest::settle();
        }
    };

    // At 10:00 a schedule for 14:00, picked from the list; its final count is cancelled.
    click(window, "Command2");
    SchedulerWindow *scheduler = program.schedulerWindow();
    holdTimers();
    child<QComboBox>(scheduler, "Combo1")->setCurrentIndex(14);
    click(scheduler, "Command1");
    click(scheduler, "Command3");
    pass(4 * 3600);
    QVERIFY(program.countdownWindow() && program.countdownWindow()->isVisible());
    holdTimers();
    pass(4);
    click(program.countdownWindow(), "Command2");

    // Then a countdown of eight hours, which runs to the shutdown command.
    click(window, "Command2");
    QTest::keyClicks(child(scheduler, "Text1"), "8");
    click(scheduler, "Command2");
    click(scheduler, "Command3");
    const QMap<QString, int> before = takeCensus();
    QCOMPARE(before.value("running timers"), 3);
    pass(8 * 3600 + 10);
    QCOMPARE(fakes.launcher.starts.size(), 1);
    fakes.launcher.finishNext(true);
    pass(86400 - clockTicks);
    GuiTest::settle();

    QCOMPARE(clockTicks, 86400);
    QCOMPARE(totalTicks, 172800);
    QCOMPARE(child<QLabel>(window, "zj")->text(), "14,814");
    QMap<QString, int> expected = before;
    // Only the main window's two are left running.
    expected["running timers"] = 2;
    QCOMPARE(takeCensus(), expected);
}

ORMEK_GUI_TEST_MAIN(TestSoak)
#include "tst_soak.moc"
