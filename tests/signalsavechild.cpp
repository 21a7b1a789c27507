// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program, for tst_unixsession: row 1's price set to argv[1] unsaved, "ready", the run;
// once the program is gone, "ending" and a wait for the input to end, a time to send signals.

#include "mainwindow/itemrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/unixsignalwatcher.h"
#include "program/desktopplatform.h"
#include "program/program.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
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
        status = app.exec();
    }
    std::puts("ending");
    std::getchar();
    return status;
}
