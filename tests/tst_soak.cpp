#include "app/mainwindow.h"
#include "app/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer's allocator interface, whose header GCC does not install.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes held on the heap, where the address sanitizer counts them.
size_t heapInUse()
{
#ifdef __SANITIZE_ADDRESS__
    return __sanitizer_get_current_allocated_bytes();
#else
    return 0;
#endif
}

// The objects of every window, by window name, and then the number of running timers.
QMap<QString, int> takeCensus()
{
    QMap<QString, int> census;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QObject *child : window->findChildren<QObject *>()) {
            ++census[window->objectName()];
            auto *timer = qobject_cast<QTimer *>(child);
            census[QStringLiteral("running timers")] += timer && timer->isActive();
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

void click(QWidget *window, const char *button)
{
    QTest::mouseClick(window->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
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
    fakes.store.setValue(QStringLiteral("使用次数"), QStringLiteral("N"), QStringLiteral("1"));
    fakes.store.setValue(QStringLiteral("物品名称及价格储存"), QStringLiteral("b1"),
                         QStringLiteral("1234.5"));
    Program program(fakes.platform);
    program.start();
    MainWindow *window = program.mainWindow();
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("12"));

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
            // A final count made by this second's scheduler tick counts from the next second.
            CountdownWindow *countdown = program.countdownWindow();
            if (countdown && countdown->isRunning())
                countdown->updateCount();
            program.schedulerWindow()->updateSchedule();
            if (clockTicks % 600 == 0) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCoreApplication::processEvents();
            }
        }
    };

    // At 10:00 a schedule for 14:00, picked from the list; its final count is cancelled.
    QElapsedTimer elapsed;
    elapsed.start();
    click(window, "Command2");
    SchedulerWindow *scheduler = program.schedulerWindow();
    holdTimers();
    scheduler->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(14);
    click(scheduler, "Command1");
    click(scheduler, "Command3");
    pass(4 * 3600);
    CountdownWindow *countdown = program.countdownWindow();
    QVERIFY(countdown && countdown->isVisible());
    holdTimers();
    pass(4);
    click(countdown, "Command2");
    QVERIFY(!scheduler->isVisible());

    // Then a countdown of eight hours, which runs to the shutdown command.
    click(window, "Command2");
    QTest::keyClicks(scheduler->findChild<QLineEdit *>(QStringLiteral("Text1")),
                     QStringLiteral("8"));
    click(scheduler, "Command2");
    click(scheduler, "Command3");
    const QMap<QString, int> before = takeCensus();
    const size_t heapBefore = heapInUse();
    QCOMPARE(before.value(QStringLiteral("running timers")), 3);
    QVERIFY(fakes.launcher.starts.isEmpty());
    pass(8 * 3600 + 10);
    QCOMPARE(fakes.launcher.starts.size(), 1);
    fakes.launcher.finishNext(true);
    pass(86400 - clockTicks);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    const qint64 growth = qint64(heapInUse() - heapBefore);
    qInfo("24 hours of ticks in %lld ms; the heap grew by %lld bytes over the last 20 hours",
          elapsed.elapsed(), growth);
    QVERIFY2(growth < 8 * 1024, qPrintable(QString::number(growth)));
    QCOMPARE(totalTicks, 172800);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("zj"))->text(), QStringLiteral("14,814"));
    QCOMPARE(scheduler->windowTitle(), QStringLiteral("0:0:0后关机"));
    QMap<QString, int> expected = before;
    // Only the main window's two are left running.
    expected[QStringLiteral("running timers")] = 2;
    QCOMPARE(takeCensus(), expected);
}

ORMEK_GUI_TEST_MAIN(TestSoak)
#include "tst_soak.moc"
