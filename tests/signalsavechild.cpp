// The program with the real platform, for tests that end it with a Unix signal. It starts
// with the store in the configuration folder it is given through the environment, changes
// the price of row 1 to its argument without saving, prints "ready" and runs. Once its event
// loop has ended and the program is gone, it prints "ending" and waits for a line on its
// input before it ends, so that a test can send another signal during the end.

#include "app/itemrow.h"
#include "app/mainwindow.h"
#include "app/program.h"
#include "platform/desktopplatform.h"
#include "platform/unixsignalwatcher.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;

    int status = 0;
    {
        DesktopPlatform desktop;
        Program program(desktop.platform);
        UnixSignalWatcher endRequests({ SIGTERM, SIGHUP, SIGINT });
        QObject::connect(&endRequests, &UnixSignalWatcher::received, &program,
                         &Program::saveAndQuit);
        QObject::connect(&program, &Program::endNow, &app, [] { QCoreApplication::exit(0); });
        program.start();

        program.mainWindow()->row(1).setPrice(QString::fromLocal8Bit(argv[1]));
        std::puts("ready");
        std::fflush(stdout);
        status = app.exec();
    }
    std::puts("ending");
    std::fflush(stdout);
    char line[8];
    if (!std::fgets(line, sizeof line, stdin))
        return 3;
    return status;
}
