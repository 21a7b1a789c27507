// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start: the application object, the command line, Qt's own texts in Chinese,
// the program's name, icon and font, then one Program on the desktop's real services, which
// decides itself when the run is over.

#include "platform/qttranslation.h"
#include "platform/startenvironment.h"
#include "platform/unixsignalwatcher.h"
#include "program/desktopplatform.h"
#include "program/program.h"
#include "widgets/programfont.h"
#include "widgets/programicon.h"

#include <QApplication>
#include <QCommandLineParser>
#include <csignal>

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> app = makeApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));
    QApplication::setApplicationVersion(QStringLiteral(ORMEK_VERSION));
    installQtTranslation();
    // --help and --version answer, and an unknown option is refused, here: the program ends
    // before it reads or writes anything. (On Windows, without a console, Qt shows the answer
    // in a box.)
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("为 Ormek 摆摊玩家计算货物总价。"));
    options.addHelpOption();
    options.addVersionOption();
    options.process(*app);

    QApplication::setDesktopFileName(QStringLiteral("net.ormek.Calculator"));
    QApplication::setWindowIcon(programIcon());
    QApplication::setFont(programFont(QApplication::font()));
    // The program decides itself when it is done (Program::finished): hidden windows must not
    // keep it alive, and a message box closing while every window is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    DesktopPlatform desktop;
    Program program(desktop.platform);
    QObject::connect(&program, &Program::finished, app.get(), &QApplication::quit);
    // exit(), not quit(), which would first close the windows one by one.
    QObject::connect(&program, &Program::endNow, app.get(), [] { QCoreApplication::exit(0); });
#ifdef Q_OS_UNIX
    UnixSignalWatcher endRequests({ SIGTERM, SIGHUP, SIGINT });
    QObject::connect(&endRequests, &UnixSignalWatcher::received, &program, &Program::saveAndQuit);
#endif
    program.start();
    return QApplication::exec();
}
