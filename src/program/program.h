// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PROGRAM_H
#define PROGRAM_H

#include "program/windowslot.h"

#include <QObject>
#include <QPointer>

class CountdownWindow;
class HelpWindow;
class MainWindow;
class PendingShutdownWatch;
class PreviewWindow;
class TablePersistence;
class QuitRule;
class SchedulerWindow;
struct Platform;

// One run of the program: makes the main window, shows it, and carries out the commands
// that reach beyond it (presets, the other windows).
//
// The other windows belong to the run, not to the main window, so they outlive it: a
// schedule set for the night still fires after the main window has been closed. The run is
// over (finished()) once the main window is gone and no window is visible or busy.
class Program : public QObject
{
    Q_OBJECT

public:
    explicit Program(Platform &platform, QObject *parent = nullptr);
    ~Program() override;

    // Creates the main window and shows it centred, with the focus in the first quantity box.
    void start();

    // Null once the main window has been closed.
    MainWindow *mainWindow() const;
    // Each null while it does not exist.
    SchedulerWindow *schedulerWindow() const;
    CountdownWindow *countdownWindow() const;
    HelpWindow *helpWindow() const;
    PreviewWindow *previewWindow() const;

    // Writes the price table on screen and the start counter to the store, before the run
    // ends some other way than by closing the main window; where they do not reach it, writes
    // the table to standard error. Does nothing once the main window is closed (it saved itself
    // then).
    void saveSession();

Q_SIGNALS:
    // Nothing is left for the user: the program should end.
    void finished();
    // Asked to end from outside, and saved: the program should leave its event loop at once,
    // closing no window (which would save again and could show a box).
    void endNow();

public Q_SLOTS:
    // For a request from outside to end (a Unix signal): saves, then asks to end now.
    void saveAndQuit();

private Q_SLOTS:
    // The scheduler of the copy of the program that holds a pending shutdown, or this copy's.
    void openScheduler();
    void showScheduler();
    void showHelp();
    void viewPreset(int slot);
    void startFinalCountdown();
    void cancelShutdown();
    void saveBeforeShutdown();

private:
    void connectTablePersistence();

    Platform &m_platform;
    QPointer<MainWindow> m_mainWindow;
    WindowSlot<SchedulerWindow> m_scheduler;
    WindowSlot<CountdownWindow> m_countdown;
    WindowSlot<HelpWindow> m_help;
    WindowSlot<PreviewWindow> m_preview;
    QuitRule *m_quitRule = nullptr;
    TablePersistence *m_tablePersistence;
    PendingShutdownWatch *m_pendingShutdownWatch;
    bool m_loading = false;
    bool m_quitWhenRunning = false;
};

#endif // PROGRAM_H
