#include "app/mainwindow.h"
#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qtsettingsstore.h"
#include "platform/systemclock.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));

    QtSettingsStore store;
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    Platform platform { store, dialogs, launcher, clipboard, clock };

    auto *window = new MainWindow(platform);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->adjustSize();
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                            window->screen()->availableGeometry()));
    window->show();
    return app.exec();
}
