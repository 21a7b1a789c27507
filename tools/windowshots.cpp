// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's windows to PNG files for the README and for checking the layouts by
// eye (scripts/screenshots). The program runs on the fake platform services: the clock stands
// still, so the pictures do not change from run to run, and the launcher never starts anything.
//
//   windowshots FOLDER                   every window, as FOLDER/<window>.png
//   windowshots FOLDER --main NAME       the main window alone, as FOLDER/NAME.png
//   windowshots FOLDER --scheduler NAME  the scheduler alone, as FOLDER/NAME.png

#include "app/mainwindow.h"
#include "app/programicon.h"
#include "help/helpwindow.h"
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "store/pricekeeper.h"
#include "support/fakeplatform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(50);
    }
}

bool save(QWidget *window, const QString &path)
{
    settle();
    if (window->grab().save(path))
        return true;
    std::fprintf(stderr, "windowshots: cannot write %s\n", qPrintable(path));
    return false;
}

template<typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("windowshots: no %s in %s", name, qPrintable(window->objectName()));
    return found;
}

// Typed in a box as a user does, key by key.
void type(QWidget *window, const char *box, const char *text)
{
    QTest::keyClicks(child<QLineEdit>(window, box), QLatin1String(text));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormek商人计算器"));
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    const QStringList arguments = QApplication::arguments();
    const QString alone = arguments.size() == 4 ? arguments[2] : QString();
    if (arguments.size() != 2 && alone != "--main" && alone != "--scheduler") {
        std::fprintf(stderr, "usage: windowshots FOLDER [--main NAME | --scheduler NAME]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    const auto path = [&folder](const QString &name) {
        return folder.filePath(name + QStringLiteral(".png"));
    };

    // An empty store: the first run, with the default table (the greeting goes to the fake).
    FakePlatform fakes;
    Program program(fakes.platform);
    program.start();
    MainWindow *main = program.mainWindow();
    type(main, "Text1", "25");
    type(main, "Text4", "1200");
    type(main, "Text7", "3");
    main->updateTotal();
    main->updateClock();

    if (alone == "--main")
        return save(main, path(arguments[3])) ? 0 : 1;
    bool saved = alone.isEmpty() && save(main, path(QStringLiteral("main-window")));

    // A countdown of 1 hour 30 minutes, 75 seconds under way.
    QTest::mouseClick(child<QPushButton>(main, "Command2"), Qt::LeftButton);
    SchedulerWindow *scheduler = program.schedulerWindow();
    type(scheduler, "Text1", "1");
    type(scheduler, "Text2", "30");
    QTest::mouseClick(child<QPushButton>(scheduler, "Command2"), Qt::LeftButton);
    fakes.clock.advance(75);
    scheduler->updateSchedule();
    if (alone == "--scheduler")
        return save(scheduler, path(arguments[3])) ? 0 : 1;
    saved = save(scheduler, path(QStringLiteral("scheduler"))) && saved;

    // The schedule falls due; the final count has ticked three times.
    fakes.clock.advance(90 * 60);
    scheduler->updateSchedule();
    CountdownWindow *countdown = program.countdownWindow();
    for (int tick = 0; tick < 3; ++tick)
        countdown->updateCount();
    saved = save(countdown, path(QStringLiteral("countdown"))) && saved;
    QTest::mouseClick(child<QPushButton>(countdown, "Command2"), Qt::LeftButton);

    // Slot 1 holds the table on screen.
    child<QAction>(main, "BC1")->trigger();
    child<QAction>(main, "CK1")->trigger();
    saved = save(program.priceKeeper()->previewWindow(), path(QStringLiteral("preview"))) && saved;

    child<QAction>(main, "halp")->trigger();
    saved = save(program.helpWindow(), path(QStringLiteral("help"))) && saved;

    if (!fakes.launcher.starts.isEmpty()) {
        std::fprintf(stderr, "windowshots: the shutdown command was asked for\n");
        return 1;
    }
    return saved ? 0 : 1;
}
