#ifndef PROGRAM_H
#define PROGRAM_H

#include "platform/windowslot.h"

#include <QObject>
#include <QPointer>

class CountdownWindow;
class HelpWindow;
class MainWindow;
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

Q_SIGNALS:
    // Nothing is left for the user: the program should end.
    void finished();

private Q_SLOTS:
    void showScheduler();
    void showHelp();
    void startFinalCountdown();
    void cancelShutdown();
    void saveBeforeShutdown();

private:
    Platform &m_platform;
    QPointer<MainWindow> m_mainWindow;
    WindowSlot<SchedulerWindow> m_scheduler;
    WindowSlot<CountdownWindow> m_countdown;
    WindowSlot<HelpWindow> m_help;
    QuitRule *m_quitRule = nullptr;
};

#endif // PROGRAM_H
