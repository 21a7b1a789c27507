#include "platform/shutdowncommand.h"
#include "shutdown/countdownwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

class TestCountdownWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsCounting();
    void countsTenSecondsThenShutsDown();
    void shutsDownNowBeforeTheFirstTick();
    void cancelsBetweenTicks();
    void reportsAFailingCommand();
    void reportsAFailureAfterTheWindowIsGone();

private:
    QString message() const { return m_window->findChild<QLabel *>("Label1")->text(); }
    int position() const { return m_window->findChild<QProgressBar *>("ProgressBar1")->value(); }
    void click(const char *button);

    FakePlatform *m_fakes = nullptr;
    CountdownWindow *m_window = nullptr;
};

void TestCountdownWindow::init()
{
    m_fakes = new FakePlatform;
    m_window = new CountdownWindow(m_fakes->platform);
    auto *timer = m_window->findChild<QTimer *>("Timer1");
    QCOMPARE(timer->interval(), 1000);
    // The tests tick by hand; the real timer must not tick between their steps.
    timer->setInterval(24 * 3600 * 1000);
    timer->start();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestCountdownWindow::cleanup()
{
    delete m_window;
    delete m_fakes;
}

void TestCountdownWindow::click(const char *button)
{
    QTest::mouseClick(m_window->findChild<QPushButton *>(button), Qt::LeftButton);
}

void TestCountdownWindow::startsCounting()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("关机"));
    auto *bar = m_window->findChild<QProgressBar *>("ProgressBar1");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 10);
    QCOMPARE(bar->value(), 0);
    QVERIFY(message().isEmpty());
    QVERIFY(m_window->isRunning());
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command2"));
}

void TestCountdownWindow::countsTenSecondsThenShutsDown()
{
    // Whatever must be kept is saved before the command starts.
    QList<qsizetype> startsWhenSaving;
    connect(m_window, &CountdownWindow::aboutToShutDown, this,
            [&] { startsWhenSaving.append(m_fakes->launcher.starts.size()); });
    for (int left = 9; left >= 1; --left) {
        m_window->updateCount();
        QCOMPARE(message(), QStringLiteral("您设置的时间已到,计算机将于%1秒后关闭").arg(left));
        QVERIFY(m_fakes->launcher.starts.isEmpty());
    }
    m_window->updateCount();
    QCOMPARE(position(), 10);
    QCOMPARE(message(), QStringLiteral("计算机正在关闭！"));
    QVERIFY(!m_window->isRunning());
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
    QCOMPARE(startsWhenSaving, QList<qsizetype>({ 0 }));
    const ShutdownCommand command = shutdownCommand();
    QCOMPARE(m_fakes->launcher.starts.first().program, command.program);
    QCOMPARE(m_fakes->launcher.starts.first().arguments, command.arguments);
    QVERIFY(m_window->isVisible());

    m_fakes->launcher.finishNext(true);
    QCOMPARE(message(), QStringLiteral("计算机正在关闭！"));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestCountdownWindow::shutsDownNowBeforeTheFirstTick()
{
    click("Command1");
    QCOMPARE(position(), 0);
    QCOMPARE(message(), QStringLiteral("计算机正在关闭！"));
    QVERIFY(!m_window->isRunning());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_fakes->launcher.starts.size(), 1);
}

void TestCountdownWindow::cancelsBetweenTicks()
{
    QSignalSpy cancelled(m_window, &CountdownWindow::cancelled);
    for (int i = 0; i < 4; ++i)
        m_window->updateCount();
    click("Command2");
    QCOMPARE(cancelled.size(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->isRunning());
    QCOMPARE(position(), 4);
    QCOMPARE(message(), QStringLiteral("您设置的时间已到,计算机将于6秒后关闭"));
    QVERIFY(m_fakes->launcher.starts.isEmpty());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestCountdownWindow::reportsAFailingCommand()
{
    click("Command1");
    m_fakes->launcher.finishNext(false);
    QCOMPARE(message(), QStringLiteral("关机失败！"));
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.first().prompt, QStringLiteral("关机命令执行失败！"));
    QCOMPARE(m_fakes->dialogs.messages.first().title, QStringLiteral("关机"));
    QVERIFY(m_window->isVisible());

    // The window stays for another try.
    click("Command1");
    QCOMPARE(m_fakes->launcher.starts.size(), 2);
    QCOMPARE(message(), QStringLiteral("计算机正在关闭！"));
}

void TestCountdownWindow::reportsAFailureAfterTheWindowIsGone()
{
    click("Command1");
    delete m_window;
    m_window = nullptr;
    m_fakes->launcher.finishNext(false);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
}

ORMEK_GUI_TEST_MAIN(TestCountdownWindow)
#include "tst_countdownwindow.moc"
