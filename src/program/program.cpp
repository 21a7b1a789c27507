// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/program.h"

#include "help/helpwindow.h"
#include "mainwindow/mainwindow.h"
#include "platform/platform.h"
#include "platform/trayandtaskbar.h"
#include "presets/previewwindow.h"
#include "presets/tablepersistence.h"
#include "program/pendingshutdownwatch.h"
#include "program/quitrule.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "widgets/windowplacement.h"

#include <QApplication>
#include <QSessionManager>
#include <cstdio>

Program::Program(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_scheduler([this] {
        auto *window = new SchedulerWindow(m_platform);
        connect(window, &SchedulerWindow::scheduleDue, this, &Program::startFinalCountdown);
        m_pendingShutdownWatch->watch(window);
        m_quitRule->watch(window, [window] { return window->isRunning(); });
        return window;
    })
    , m_countdown([this] {
        auto *window = new CountdownWindow(m_platform);
        connect(window, &CountdownWindow::aboutToShutDown, this, &Program::saveBeforeShutdown);
        connect(window, &CountdownWindow::cancelled, this, &Program::cancelShutdown);
        m_pendingShutdownWatch->watch(window);
        m_quitRule->watch(window, [window] { return window->isRunning(); });
        return window;
    })
    , m_help([this] {
        auto *window = new HelpWindow(m_platform);
        m_quitRule->watch(window);
        return window;
    })
    , m_preview([this] {
        auto *window = new PreviewWindow;
        connect(window, &PreviewWindow::loadRequested, m_tablePersistence,
                &TablePersistence::loadPreset);
        m_quitRule->watch(window);
        return window;
    })
    , m_quitRule(new QuitRule([this] { Q_EMIT finished(); }, this))
    , m_tablePersistence(new TablePersistence(platform, this))
    , m_pendingShutdownWatch(new PendingShutdownWatch(
              platform, [this] { showScheduler(); }, this))
{
    // The desktop session is ending: the process may be ended without any close.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { saveSession(); });
}

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

PreviewWindow *Program::previewWindow() const
{
    return m_preview.window();
}

void Program::saveSession()
{
    // Nobody can be asked now: what is lost is at least told.
    if (!m_tablePersistence->saveSession() && m_mainWindow)
        std::fputs(qPrintable(unsavedTableReport(m_mainWindow->priceTable())), stderr);
}

void Program::saveAndQuit()
{
    saveSession();
    Q_EMIT endNow();
    // While the first-run greeting waits, the main loop does not run yet: ending now ends only
    // the greeting's loop.
    if (m_loading)
        m_quitWhenRunning = true;
}

void Program::connectTablePersistence()
{
    MainWindow *window = m_mainWindow;
    TablePersistence *keeper = m_tablePersistence;
    connect(window, &MainWindow::priceTableEdited, keeper, &TablePersistence::saveChanges);
    window->setCloseCheck([keeper] { return keeper->saveAtClose(); });
    connect(window, &QObject::destroyed, keeper, &TablePersistence::forgetView);
    connect(window, &MainWindow::savePresetRequested, keeper, &TablePersistence::savePreset);
    connect(window, &MainWindow::loadPresetRequested, keeper, &TablePersistence::loadPreset);
    connect(window, &MainWindow::viewPresetRequested, this, &Program::viewPreset);
    connect(window, &MainWindow::resetRequested, keeper, &TablePersistence::resetTable);
}

void Program::start()
{
    m_mainWindow = new MainWindow(m_platform);
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_loading = true;
    m_tablePersistence->load(m_mainWindow);
    m_loading = false;
    if (m_quitWhenRunning)
        QMetaObject::invokeMethod(this, &Program::endNow, Qt::QueuedConnection);
    connectTablePersistence();
    connect(m_mainWindow, &MainWindow::schedulerRequested, this, &Program::openScheduler);
    connect(m_mainWindow, &MainWindow::helpRequested, this, &Program::showHelp);
    m_quitRule->setMainWindow(m_mainWindow);

    m_mainWindow->adjustSize();
    centreOnScreen(m_mainWindow);
    m_mainWindow->show();
}

void Program::openScheduler()
{
    if (!m_pendingShutdownWatch->showOtherCopysScheduler())
        showScheduler();
}

void Program::showScheduler()
{
    m_scheduler.show();
}

void Program::showHelp()
{
    m_help.show();
}

void Program::viewPreset(int slot)
{
    m_preview.show()->showTable(slot, m_tablePersistence->presetTable(slot));
}

void Program::startFinalCountdown()
{
    // Every trigger counts the full ten seconds again, even after an earlier cancel.
    m_countdown.ensure()->restart();
    m_platform.trayAndTaskbar.alert(m_countdown.show());
}

void Program::cancelShutdown()
{
    if (SchedulerWindow *scheduler = m_scheduler.window())
        scheduler->hide();
}

void Program::saveBeforeShutdown()
{
    // The table was saved after each change already. Should this last save fail, a box here
    // would hold up a shutdown meant to happen unattended, so the shutdown goes ahead.
    saveSession();
}
