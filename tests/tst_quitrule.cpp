#include "platform/quitrule.h"
#include "support/guitest.h"

using GuiTest::settle;

// Once the main window is gone, the program ends as soon as no watched window is visible or busy.
class TestQuitRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void hiddenWindowsDoNotCountAndItQuitsOnce();
    void visibleOrBusyWindowKeepsTheProgram();
    void discardedWindowsDoNotCount();

private:
    void closeMainWindow();

    int m_quits = 0;
    bool m_busy = false;
    QuitRule *m_rule = nullptr;
    QWidget *m_main = nullptr;
    QWidget *m_other = nullptr;
};

void TestQuitRule::init()
{
    m_quits = 0;
    m_busy = false;
    m_rule = new QuitRule([this] { ++m_quits; });
    m_main = new QWidget;
    m_other = new QWidget;
    m_rule->setMainWindow(m_main);
    m_rule->watch(m_other, [this] { return m_busy; });
    m_main->show();
}

void TestQuitRule::cleanup()
{
    delete m_other;
    delete m_main;
    delete m_rule;
}

void TestQuitRule::closeMainWindow()
{
    delete m_main;
    m_main = nullptr;
    settle();
}

void TestQuitRule::hiddenWindowsDoNotCountAndItQuitsOnce()
{
    // A hidden main window still keeps the program.
    m_main->hide();
    settle();
    QVERIFY(!m_rule->canQuit());
    m_other->show();
    m_other->hide();
    closeMainWindow();
    QCOMPARE(m_quits, 1);
    m_other->show();
    m_other->hide();
    settle();
    m_rule->check();
    QCOMPARE(m_quits, 1);
}

void TestQuitRule::visibleOrBusyWindowKeepsTheProgram()
{
    m_other->show();
    closeMainWindow();
    QCOMPARE(m_quits, 0);
    m_busy = true;
    m_other->hide();
    settle();
    QCOMPARE(m_quits, 0);
    m_other->show();
    m_busy = false;
    m_other->hide();
    settle();
    QCOMPARE(m_quits, 1);
}

void TestQuitRule::discardedWindowsDoNotCount()
{
    m_busy = true;
    m_other->show();
    closeMainWindow();
    QCOMPARE(m_quits, 0);
    m_other->deleteLater();
    m_other = nullptr;
    settle();
    QCOMPARE(m_quits, 1);
}

ORMEK_GUI_TEST_MAIN(TestQuitRule)
#include "tst_quitrule.moc"
