#include "app/program.h"
#include "app/programicon.h"
#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qtsettingsstore.h"
#include "platform/systemclock.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));
    QApplication::setDesktopFileName(QStringLiteral("net.ormek.Calculator"));
    QApplication::setWindowIcon(programIcon());

    QtSettingsStore store;
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    Platform platform { store, dialogs, launcher, clipboard, clock };

    Program program(platform);
    program.start();
    return app.exec();
}
