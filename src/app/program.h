#ifndef PROGRAM_H
#define PROGRAM_H

#include <QObject>
#include <QPointer>

class MainWindow;
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

private:
    Platform &m_platform;
    QPointer<MainWindow> m_mainWindow;
};

#endif // PROGRAM_H
