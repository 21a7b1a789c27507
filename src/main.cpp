#include "app/program.h"
#include "app/programicon.h"
#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qtsettingsstore.h"
#include "platform/systemclock.h"
#include "platform/unixsignalwatcher.h"

#include <QApplication>
#include <csignal>

int main(int argc, char *argv[])
{
    // Qt's X11 backend sends repaints through shared memory and then waits for the server's
    // completion event, which wakes two threads after every repaint: twice a second more for
    // the clock. This window's repaints are a few kilobytes, which the X socket carries as
    // cheaply. Unless the user chose otherwise, the socket it is, for this process only: the
    // setting is not passed on to the programs it starts.
    const bool sharedMemoryChosen = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (!sharedMemoryChosen)
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    if (!sharedMemoryChosen)
        qunsetenv("QT_XCB_NO_MITSHM");
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));
    QApplication::setDesktopFileName(QStringLiteral("net.ormek.Calculator"));
    QApplication::setWindowIcon(programIcon());
    // The program decides itself when it is done (Program::finished): hidden windows must not
    // keep it alive, and a message box closing while every window is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    QtSettingsStore store;
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    Platform platform { store, dialogs, launcher, clipboard, clock };

    Program program(platform);
    QObject::connect(&program, &Program::finished, &app, &QApplication::quit);
#ifdef Q_OS_UNIX
    UnixSignalWatcher endRequests({ SIGTERM, SIGHUP, SIGINT });
    QObject::connect(&endRequests, &UnixSignalWatcher::received, &program, &Program::saveAndQuit);
#endif
    program.start();
    return app.exec();
}
