#include "platform/quitrule.h"
#include "support/guitest.h"

#include <QWidget>

class TestQuitRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void mainWindowKeepsTheProgram();
    void hiddenWindowsDoNotCount();
    void visibleWindowKeepsTheProgram();
    void busyHiddenWindowKeepsTheProgram();
    void discardedWindowsDoNotCount();
    void quitsOnce();

private:
    void settle();
    void closeMainWindow();

    int m_quits = 0;
    QuitRule *m_rule = nullptr;
    QWidget *m_main = nullptr;
    QWidget *m_other = nullptr;
    bool m_busy = false;
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

// Lets the rule's queued check run.
void TestQuitRule::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestQuitRule::closeMainWindow()
{
    delete m_main;
    m_main = nullptr;
    settle();
}

void TestQuitRule::mainWindowKeepsTheProgram()
{
    m_main->hide();
    settle();
    QVERIFY(!m_rule->canQuit());
    QCOMPARE(m_quits, 0);
    closeMainWindow();
    QCOMPARE(m_quits, 1);
}

void TestQuitRule::hiddenWindowsDoNotCount()
{
    m_other->show();
    m_other->hide();
    closeMainWindow();
    QCOMPARE(m_quits, 1);
}

void TestQuitRule::visibleWindowKeepsTheProgram()
{
    m_other->show();
    closeMainWindow();
    QCOMPARE(m_quits, 0);
    m_other->hide();
    settle();
    QCOMPARE(m_quits, 1);
}

void TestQuitRule::busyHiddenWindowKeepsTheProgram()
{
    m_busy = true;
    closeMainWindow();
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

void TestQuitRule::quitsOnce()
{
    closeMainWindow();
    m_other->show();
    m_other->hide();
    settle();
    m_rule->check();
    QCOMPARE(m_quits, 1);
}

ORMEK_GUI_TEST_MAIN(TestQuitRule)
#include "tst_quitrule.moc"
