#include "shutdown/schedulerwindow.h"
#include "support/fakeplatform.h"
#include "support/guitest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

class TestSchedulerWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsIdle();
    void tabsInItsOwnOrder();
    void clockTimeFiresTomorrow();
    void countdownShowsTargetAndClearsEntries();
    void refusesCountdownEntries_data();
    void refusesCountdownEntries();
    void newStartReplacesRunningSchedule();
    void lateTickStillFiresOnce();
    void closeThroughFrameEndsSchedule();

private:
    template<class T>
    T *child(const QString &name) const
    {
        T *widget = m_window->findChild<T *>(name);
        if (!widget)
            qWarning("no child %s", qPrintable(name));
        return widget;
    }
    QString text(const char *label) const { return child<QLabel>(QLatin1String(label))->text(); }
    void typeInto(const char *entry, const QString &text);
    void click(const char *button);
    void tick(int seconds);

    FakePlatform *m_fakes = nullptr;
    SchedulerWindow *m_window = nullptr;
    QTimer *m_timer = nullptr;
};

void TestSchedulerWindow::init()
{
    m_fakes = new FakePlatform;
    m_fakes->clock.current = QDateTime(QDate(2026, 12, 6), QTime(22, 0));
    m_window = new SchedulerWindow(m_fakes->platform);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_timer = child<QTimer>(QStringLiteral("Timer1"));
    QCOMPARE(m_timer->interval(), 1000);
    // The tests tick by hand; the real timer must not tick between their steps.
    m_timer->setInterval(24 * 3600 * 1000);
}

void TestSchedulerWindow::cleanup()
{
    delete m_window;
    delete m_fakes;
}

// Types over whatever the combo box or text box held, as a user who selects it all first.
void TestSchedulerWindow::typeInto(const char *entry, const QString &text)
{
    QLineEdit *edit = nullptr;
    if (auto *combo = m_window->findChild<QComboBox *>(QLatin1String(entry)))
        edit = combo->lineEdit();
    else
        edit = child<QLineEdit>(QLatin1String(entry));
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        // keyClicks() sends Latin-1 only.
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(edit->text(), text);
}

void TestSchedulerWindow::click(const char *button)
{
    QTest::mouseClick(child<QPushButton>(QLatin1String(button)), Qt::LeftButton);
}

void TestSchedulerWindow::tick(int seconds)
{
    m_fakes->clock.advance(seconds);
    m_window->updateSchedule();
}

void TestSchedulerWindow::startsIdle()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("自动关机"));
    QCOMPARE(text("Label10"), QStringLiteral("系统时间：00时00分00秒"));
    QCOMPARE(text("Label7"), QStringLiteral("关机时间：00时00分00秒"));
    QCOMPARE(text("Label8"), QStringLiteral("距离关机时间还剩：00小时00分00秒"));
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：0秒"));
    const std::pair<const char *, int> combos[] = { { "Combo1", 24 },
                                                    { "Combo2", 60 },
                                                    { "Combo3", 60 } };
    for (const auto &[name, count] : combos) {
        auto *combo = child<QComboBox>(QLatin1String(name));
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->count(), count);
        QCOMPARE(combo->currentText(), QStringLiteral("00"));
        QCOMPARE(combo->itemText(count - 1), QString::number(count - 1));
    }
    for (const char *box : { "Text1", "Text2", "Text3" })
        QVERIFY(child<QLineEdit>(QLatin1String(box))->text().isEmpty());
    QVERIFY(!m_timer->isActive());
    QVERIFY(!m_window->isRunning());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));

    // No tick while idle: the system time line stays as laid out.
    m_window->updateSchedule();
    QCOMPARE(text("Label10"), QStringLiteral("系统时间：00时00分00秒"));
}

void TestSchedulerWindow::tabsInItsOwnOrder()
{
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        QWidget *focused = QApplication::focusWidget();
        // An editable combo box hands the focus to its line edit.
        QWidget *named = qobject_cast<QComboBox *>(focused->parentWidget())
                ? focused->parentWidget()
                : focused;
        order << named->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    QCOMPARE(order,
             QStringList({ "Combo1", "Combo2", "Command1", "Command2", "Text1", "Text2", "Text3",
                           "Combo3", "Command3", "Combo1" }));
}

void TestSchedulerWindow::clockTimeFiresTomorrow()
{
    QSignalSpy due(m_window, &SchedulerWindow::scheduleDue);
    typeInto("Combo1", QStringLiteral("01"));
    click("Command1");
    QCOMPARE(text("Label7"), QStringLiteral("关机时间：01时00分00秒"));
    for (const char *name : { "Combo1", "Combo2", "Combo3" })
        QCOMPARE(child<QComboBox>(QLatin1String(name))->currentText(), QStringLiteral("00"));
    QVERIFY(m_timer->isActive());
    QCOMPARE(m_window->schedule().targetSeconds, 86400 + 3600);

    tick(1);
    QCOMPARE(text("Label10"), QStringLiteral("系统时间：22时00分01秒"));
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：10799秒"));
    QCOMPARE(text("Label8"), QStringLiteral("距离关机时间还剩：2小时59分59秒"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("2:59:59后关机"));

    // Put away, and across midnight.
    click("Command3");
    QVERIFY(!m_window->isVisible());
    tick(10799 - 1);
    QCOMPARE(text("Label10"), QStringLiteral("系统时间：00时59分59秒"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("0:0:1后关机"));
    QCOMPARE(due.size(), 0);

    tick(1);
    QCOMPARE(due.size(), 1);
    QVERIFY(!m_window->isRunning());
    QVERIFY(!m_window->isVisible());
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：0秒"));
    QCOMPARE(text("Label8"), QStringLiteral("距离关机时间还剩：0小时0分0秒"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("0:0:0后关机"));

    tick(1);
    QCOMPARE(due.size(), 1);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("0:0:0后关机"));
}

void TestSchedulerWindow::countdownShowsTargetAndClearsEntries()
{
    m_fakes->clock.current.setTime(QTime(10, 0));
    typeInto("Text2", QStringLiteral("90"));
    click("Command2");
    QCOMPARE(text("Label7"), QStringLiteral("关机时间：11时30分0秒"));
    for (const char *box : { "Text1", "Text2", "Text3" })
        QVERIFY(child<QLineEdit>(QLatin1String(box))->text().isEmpty());
    tick(1);
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：5399秒"));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestSchedulerWindow::refusesCountdownEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("message");
    const QString invalid = QStringLiteral("请输入有效的时间！");
    QTest::newRow("all empty") << QStringList { "", "", "" } << QStringLiteral("请输入倒计时！");
    QTest::newRow("letters") << QStringList { "", "abc", "" } << invalid;
    QTest::newRow("zero") << QStringList { "0", "", "" } << invalid;
    QTest::newRow("negative total") << QStringList { "", "-1", "30" } << invalid;
    QTest::newRow("beyond 32 bits") << QStringList { "600000", "", "" } << invalid;
}

void TestSchedulerWindow::refusesCountdownEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, message);

    typeInto("Combo1", QStringLiteral("23"));
    click("Command1");
    const Schedule running = m_window->schedule();
    tick(1);

    const char *boxes[] = { "Text1", "Text2", "Text3" };
    for (int i = 0; i < 3; ++i)
        typeInto(boxes[i], entries[i]);
    click("Command2");

    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.first().prompt, message);
    QCOMPARE(m_fakes->dialogs.messages.first().title, QStringLiteral("提示"));
    // The running schedule goes on untouched, and the entries stay for correcting.
    QVERIFY(m_window->isRunning());
    QCOMPARE(m_window->schedule().targetSeconds, running.targetSeconds);
    QCOMPARE(text("Label7"), QStringLiteral("关机时间：23时00分00秒"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(child<QLineEdit>(QLatin1String(boxes[i]))->text(), entries[i]);
    tick(1);
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：3598秒"));
}

void TestSchedulerWindow::newStartReplacesRunningSchedule()
{
    QSignalSpy due(m_window, &SchedulerWindow::scheduleDue);
    typeInto("Combo1", QStringLiteral("23"));
    click("Command1");
    tick(10);
    typeInto("Text3", QStringLiteral("30"));
    click("Command2");
    QCOMPARE(text("Label7"), QStringLiteral("关机时间：22时0分40秒"));
    tick(29);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("0:0:1后关机"));
    tick(1);
    QCOMPARE(due.size(), 1);
}

void TestSchedulerWindow::lateTickStillFiresOnce()
{
    QSignalSpy due(m_window, &SchedulerWindow::scheduleDue);
    typeInto("Text3", QStringLiteral("5"));
    click("Command2");
    // A busy machine or a suspend: the next tick comes a minute late.
    tick(60);
    QCOMPARE(due.size(), 1);
    QCOMPARE(text("Label9"), QStringLiteral("距离关机时间秒数：0秒"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("0:0:0后关机"));
    tick(1);
    QCOMPARE(due.size(), 1);

    // A new start arms it again.
    typeInto("Text3", QStringLiteral("5"));
    click("Command2");
    tick(5);
    QCOMPARE(due.size(), 2);
}

void TestSchedulerWindow::closeThroughFrameEndsSchedule()
{
    typeInto("Text3", QStringLiteral("30"));
    click("Command2");
    m_window->close();
    QVERIFY(!m_window->isRunning());
}

ORMEK_GUI_TEST_MAIN(TestSchedulerWindow)
#include "tst_schedulerwindow.moc"
