// The program with the real platform, for tests that end it with a Unix signal. It starts
// with the store in the configuration folder it is given through the environment, changes
// the price of row 1 to its argument without saving, prints "ready" and runs.

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

    DesktopPlatform desktop;
    Program program(desktop.platform);
    UnixSignalWatcher endRequests({ SIGTERM, SIGHUP, SIGINT });
    QObject::connect(&endRequests, &UnixSignalWatcher::received, &program, &Program::saveAndQuit);
    program.start();

    program.mainWindow()->row(1).setPrice(QString::fromLocal8Bit(argv[1]));
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
