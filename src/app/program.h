#ifndef PROGRAM_H
#define PROGRAM_H

#include <QObject>
#include <QPointer>

class MainWindow;
class PriceKeeper;
struct Platform;

// One run of the program: makes the main window, shows it, and carries out the commands
// that reach beyond it (presets, the other windows).
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

    // The price table and the presets, with their preview window.
    PriceKeeper *priceKeeper() const;

    // Writes the price table on screen and the start counter to the store, before the run
    // ends some other way than by closing the main window. False when they did not reach it;
    // true, doing nothing, once the main window is closed (it saved itself then).
    bool saveSession();

public Q_SLOTS:
    // For a request from outside to end (a Unix signal): saves, then leaves the event loop.
    void saveAndQuit();

private:
    void connectPriceKeeper();

    Platform &m_platform;
    QPointer<MainWindow> m_mainWindow;
    PriceKeeper *m_priceKeeper;
    bool m_loading = false;
    bool m_quitWhenRunning = false;
};

#endif // PROGRAM_H
