#include "app/program.h"

#include "app/mainwindow.h"
#include "help/helpwindow.h"
#include "platform/platform.h"
#include "platform/quitrule.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"

#include <QScreen>
#include <QStyle>

Program::Program(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_scheduler([this] {
        auto *window = new SchedulerWindow(m_platform);
        connect(window, &SchedulerWindow::scheduleDue, this, &Program::startFinalCountdown);
        m_quitRule->watch(window, [window] { return window->isRunning(); });
        return window;
    })
    , m_countdown([this] {
        auto *window = new CountdownWindow(m_platform);
        connect(window, &CountdownWindow::aboutToShutDown, this, &Program::saveBeforeShutdown);
        connect(window, &CountdownWindow::cancelled, this, &Program::cancelShutdown);
        m_quitRule->watch(window, [window] { return window->isRunning(); });
        return window;
    })
    , m_help([this] {
        auto *window = new HelpWindow(m_platform);
        m_quitRule->watch(window);
        return window;
    })
    , m_quitRule(new QuitRule([this] { Q_EMIT finished(); }, this))
{ }

Program::~Program()
{
    // No more checks while the windows go.
    delete m_quitRule;
    m_quitRule = nullptr;
    delete m_mainWindow.data();
}

MainWindow *Program::mainWindow() const
{
    return m_mainWindow;
}

SchedulerWindow *Program::schedulerWindow() const
{
    return m_scheduler.window();
}

CountdownWindow *Program::countdownWindow() const
{
    return m_countdown.window();
}

HelpWindow *Program::helpWindow() const
{
    return m_help.window();
}

void Program::start()
{
    m_mainWindow = new MainWindow(m_platform);
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_mainWindow, &MainWindow::schedulerRequested, this, &Program::showScheduler);
    connect(m_mainWindow, &MainWindow::helpRequested, this, &Program::showHelp);
    m_quitRule->setMainWindow(m_mainWindow);

    m_mainWindow->adjustSize();
    m_mainWindow->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                  m_mainWindow->size(),
                                                  m_mainWindow->screen()->availableGeometry()));
    m_mainWindow->show();
}

void Program::showScheduler()
{
    m_scheduler.show();
}

void Program::showHelp()
{
    m_help.show();
}

void Program::startFinalCountdown()
{
    // Every trigger counts the full ten seconds again, even after an earlier cancel.
    m_countdown.ensure()->restart();
    m_countdown.show();
}

void Program::cancelShutdown()
{
    if (SchedulerWindow *scheduler = m_scheduler.window())
        scheduler->hide();
}

void Program::saveBeforeShutdown()
{
    // TODO(merge): join to the session save, which writes the price table to the store.
    // saveSession();
}
