// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's windows to PNG files for the README and for checking the layouts by
// eye (scripts/screenshots), in the same fixed use that the picture test draws.
//
//   windowshots FOLDER                   every window, as FOLDER/<window>.png
//   windowshots FOLDER --main NAME       the main window alone, as FOLDER/NAME.png
//   windowshots FOLDER --scheduler NAME  the scheduler alone, as FOLDER/NAME.png

#include "support/picturedrun.h"
#include "widgets/programicon.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    const QStringList arguments = QApplication::arguments();
    const QString option = arguments.value(2);
    const bool alone = arguments.size() == 4
            && (option == QLatin1String("--main") || option == QLatin1String("--scheduler"));
    if (arguments.size() != 2 && !alone) {
        std::fprintf(stderr, "usage: windowshots FOLDER [--main NAME | --scheduler NAME]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    const QString wanted = !alone               ? QString()
            : option == QLatin1String("--main") ? QStringLiteral("main-window")
                                                : QStringLiteral("scheduler");

    bool written = true;
    const auto write = [&](const QString &name, QWidget *window) {
        if (!wanted.isEmpty() && name != wanted)
            return true;
        const QString path = folder.filePath((alone ? arguments[3] : name) + QLatin1String(".png"));
        if (!window->grab().save(path)) {
            std::fprintf(stderr, "windowshots: cannot write %s\n", qPrintable(path));
            written = false;
        }
        return wanted.isEmpty();
    };
    if (!playPicturedRun(write)) {
        std::fprintf(stderr, "windowshots: the shutdown command was asked for\n");
        return 1;
    }
    return written ? 0 : 1;
}
