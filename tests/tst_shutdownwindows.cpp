#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimer>

using GuiTest::child;
using GuiTest::click;

// The scheduler and the final countdown window wire the schedule arithmetic (tst_schedule) to
// their lines, their ticks and the launcher.
class TestShutdownWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firesOnceAtOrPastTheTarget();
    void refusesEntriesAndKeepsRunning_data();
    void refusesEntriesAndKeepsRunning();
    void countsTenSecondsThenShutsDown();
    void namesEveryEntryApart();

private:
    QString text(const char *label) const { return child<QLabel>(m_scheduler, label)->text(); }
    QString message() const { return child<QLabel>(m_countdown, "Label1")->text(); }
    int position() const { return child<QProgressBar>(m_countdown, "ProgressBar1")->value(); }
    // Types over whatever an entry held, as a user who selects it all first.
    void typeInto(const char *entry, const QString &text);
    void tick(int seconds)
    {
        m_fakes->clock.advance(seconds);
        GuiTest::fireTimer(m_scheduler);
    }

    FakePlatform *m_fakes = nullptr;
    SchedulerWindow *m_scheduler = nullptr;
    CountdownWindow *m_countdown = nullptr;
};

void TestShutdownWindows::init()
{
    m_fakes = new FakePlatform;
    m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
    m_scheduler = new SchedulerWindow(m_fakes->platform);
    m_countdown = new CountdownWindow(m_fakes->platform);
    for (QWidget *window :
         { static_cast<QWidget *>(m_scheduler), static_cast<QWidget *>(m_countdown) }) {
        QCOMPARE(child<QTimer>(window, "Timer1")->interval(), 1000);
        GuiTest::freezeTimer(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
}

void TestShutdownWindows::cleanup()
{
    delete m_countdown;
    delete m_scheduler;
    delete m_fakes;
}

void TestShutdownWindows::typeInto(const char *entry, const QString &text)
{
    auto *combo = m_scheduler->findChild<QComboBox *>(entry);
    QLineEdit *edit = combo ? combo->lineEdit() : child<QLineEdit>(m_scheduler, entry);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    GuiTest::typeText(edit, text);
}

void TestShutdownWindows::firesOnceAtOrPastTheTarget()
{
    QSignalSpy due(m_scheduler, &SchedulerWindow::scheduleDue);
    typeInto("Combo1", "01");
    click(m_scheduler, "Command1");
    QCOMPARE(text("Label7"), "关机时间：01时00分00秒");
    tick(1);
    QCOMPARE(text("Label10"), "系统时间：22时00分01秒");
    QCOMPARE(text("Label9"), "距离关机时间秒数：10799秒");
    QCOMPARE(text("Label8"), "距离关机时间还剩：2小时59分59秒");
    QCOMPARE(m_scheduler->windowTitle(), "2:59:59后关机");

    // Put away, it goes on across midnight; a busy machine's tick comes a minute late.
    click(m_scheduler, "Command3");
    QVERIFY(!m_scheduler->isVisible());
    tick(10799 - 1);
    QCOMPARE(due.size(), 0);
    tick(60);
    QCOMPARE(due.size(), 1);
    QVERIFY(!m_scheduler->isRunning());
    tick(1);
    QCOMPARE(due.size(), 1);

    // A countdown follows the time that passes, whatever the clock is set to.
    m_scheduler->show();
    typeInto("Text3", "20");
    click(m_scheduler, "Command2");
    m_fakes->clock.current = m_fakes->clock.current.addSecs(-3600);
    tick(19);
    QCOMPARE(text("Label9"), "距离关机时间秒数：1秒");
    tick(1);
    QCOMPARE(due.size(), 2);

    // The frame's close ends a schedule.
    typeInto("Text3", "30");
    click(m_scheduler, "Command2");
    m_scheduler->close();
    QVERIFY(!m_scheduler->isRunning());
}

void TestShutdownWindows::refusesEntriesAndKeepsRunning_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << "" << QString("请输入倒计时！|提示");
    QTest::newRow("not a number") << "abc" << QString("请输入有效的时间！|提示");
}

void TestShutdownWindows::refusesEntriesAndKeepsRunning()
{
    QFETCH(QString, seconds);
    QFETCH(QString, message);
    typeInto("Combo1", "23");
    click(m_scheduler, "Command1");
    typeInto("Text3", seconds);
    click(m_scheduler, "Command2");
    QCOMPARE(m_fakes->dialogs.messageTexts(), QStringList { message });
    // The running schedule goes on untouched, and the entries stay for correcting.
    QCOMPARE(text("Label7"), "关机时间：23时00分00秒");
    QCOMPARE(child<QLineEdit>(m_scheduler, "Text3")->text(), seconds);
    tick(2);
    QCOMPARE(text("Label9"), "距离关机时间秒数：3598秒");
}

void TestShutdownWindows::countsTenSecondsThenShutsDown()
{
    QCOMPARE(position(), 0);
    QVERIFY(message().isEmpty());
    // Enter or Space cancels rather than shuts down.
    m_countdown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_countdown));
    QCOMPARE(QApplication::focusWidget()->objectName(), "Command2");
    // Whatever must be kept is saved before the command starts.
    QList<qsizetype> startsWhenSaving;
    connect(m_countdown, &CountdownWindow::aboutToShutDown, this,
            [&] { startsWhenSaving.append(m_fakes->launcher.starts.size()); });
    for (int left = 9; left >= 1; --left) {
        GuiTest::fireTimer(m_countdown);
        QCOMPARE(message(), QString("您设置的时间已到,计算机将于%1秒后关闭").arg(left));
    }
    QVERIFY(m_fakes->launcher.starts.isEmpty());
    GuiTest::fireTimer(m_countdown);
    QCOMPARE(position(), 10);
    QCOMPARE(message(), "计算机正在关闭！");
    QVERIFY(!m_countdown->isRunning());
    QCOMPARE(startsWhenSaving, QList<qsizetype>({ 0 }));
    m_fakes->launcher.finishNext(true);
    QCOMPARE(message(), "计算机正在关闭！");
    QVERIFY(m_fakes->dialogs.messages.isEmpty());

    // A failure is told, and the window stays for another try with "立即关机".
    click(m_countdown, "Command1");
    m_fakes->launcher.finishNext(false);
    QCOMPARE(message(), "关机失败！");
    QCOMPARE(m_fakes->dialogs.messageTexts(), QStringList { "关机命令执行失败！|关机" });
    QVERIFY(m_countdown->isVisible());
    click(m_countdown, "Command1");
    QCOMPARE(m_fakes->launcher.starts.size(), 3);
    QCOMPARE(message(), "计算机正在关闭！");
    // An outcome that comes after the window is gone is still told.
    delete m_countdown;
    m_countdown = nullptr;
    m_fakes->launcher.finishNext(false);
    QCOMPARE(m_fakes->dialogs.messages.size(), 2);
}

// Screen readers tell the six boxes apart by name. A combo box is read through its typing
// field, on Windows by its own name.
void TestShutdownWindows::namesEveryEntryApart()
{
    QStringList names;
    for (const char *entry : { "Combo1", "Combo2", "Combo3", "Text1", "Text2", "Text3" }) {
        QWidget *box = child(m_scheduler, entry);
        if (auto *combo = qobject_cast<QComboBox *>(box)) {
            QCOMPARE(combo->accessibleName(), combo->lineEdit()->accessibleName());
            box = combo->lineEdit();
        }
        const QString name = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && !names.contains(name), entry);
        names << name;
    }
}

ORMEK_GUI_TEST_MAIN(TestShutdownWindows)
#include "tst_shutdownwindows.moc"
