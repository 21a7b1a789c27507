#include "app/program.h"

#include "app/mainwindow.h"
#include "platform/platform.h"
#include "store/pricekeeper.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>

Program::Program(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform), m_priceKeeper(new PriceKeeper(platform, this))
{
    // The desktop session is ending: the process may be ended without any close.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { saveSession(); });
}

Program::~Program()
{
    delete m_mainWindow.data();
}

MainWindow *Program::mainWindow() const
{
    return m_mainWindow;
}

PriceKeeper *Program::priceKeeper() const
{
    return m_priceKeeper;
}

bool Program::saveSession()
{
    return m_priceKeeper->saveSession();
}

void Program::saveAndQuit()
{
    saveSession();
    // exit(), not quit(): quit() would first close the windows one by one, which saves again
    // and could show a box to a program that was asked to end.
    QCoreApplication::exit(0);
    // While the first-run greeting waits, the main loop does not run yet: exit() ended only
    // the greeting's loop.
    if (m_loading)
        m_quitWhenRunning = true;
}

void Program::connectPriceKeeper()
{
    MainWindow *window = m_mainWindow;
    PriceKeeper *keeper = m_priceKeeper;
    connect(window, &MainWindow::priceTableEdited, keeper, &PriceKeeper::saveChanges);
    connect(window, &MainWindow::closing, keeper, &PriceKeeper::saveAtClose);
    connect(window, &MainWindow::savePresetRequested, keeper, &PriceKeeper::savePreset);
    connect(window, &MainWindow::loadPresetRequested, keeper, &PriceKeeper::loadPreset);
    connect(window, &MainWindow::viewPresetRequested, keeper, &PriceKeeper::viewPreset);
    connect(window, &MainWindow::resetRequested, keeper, &PriceKeeper::resetTable);
}

void Program::start()
{
    m_mainWindow = new MainWindow(m_platform);
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_loading = true;
    m_priceKeeper->load(m_mainWindow);
    m_loading = false;
    if (m_quitWhenRunning)
        QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    connectPriceKeeper();
    m_mainWindow->adjustSize();
    m_mainWindow->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                  m_mainWindow->size(),
                                                  m_mainWindow->screen()->availableGeometry()));
    m_mainWindow->show();
}
