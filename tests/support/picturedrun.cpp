// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/picturedrun.h"

#include "help/helpwindow.h"
#include "mainwindow/mainwindow.h"
#include "presets/previewwindow.h"
#include "program/program.h"
#include "shutdown/countdownwindow.h"
#include "shutdown/schedulerwindow.h"
#include "support/guitest.h"

using GuiTest::child;
using GuiTest::click;

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(50);
    }
}

void type(QWidget *window, const char *box, const char *text)
{
    QTest::keyClicks(child<QLineEdit>(window, QLatin1String(box)), QLatin1String(text));
}

QString quoted(QString text)
{
    return u'"' + text.replace(u'\\', QLatin1String("\\\\")).replace(u'\n', QLatin1String("\\n"))
            + u'"';
}

void addMenu(QStringList &lines, const QString &path, const QList<QAction *> &actions)
{
    for (const QAction *action : actions) {
        const QString here = path + action->text();
        const QObject *named = action->menu() ? static_cast<QObject *>(action->menu()) : action;
        lines << QStringLiteral("menu %1 %2").arg(named->objectName(), quoted(here));
        if (action->menu())
            addMenu(lines, here + QLatin1String(" > "), action->menu()->actions());
    }
}

// What the control shows, or nothing for a control that shows no text of its own.
std::optional<QString> shownText(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(control))
        return text->toPlainText();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    if (const auto *bar = qobject_cast<const QProgressBar *>(control))
        return QString::number(bar->value());
    if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return combo->currentText() + QLatin1String(" of ") + items.join(u'|');
    }
    return std::nullopt;
}

} // namespace

bool playPicturedRun(const std::function<bool(const QString &name, QWidget *window)> &visit)
{
    QApplication::setCursorFlashTime(0);
    FakePlatform fakes;
    Program program(fakes.platform);
    program.start();
    const auto shown = [&visit](const char *name, QWidget *window) {
        settle();
        return visit(QLatin1String(name), window);
    };

    MainWindow *main = program.mainWindow();
    type(main, "Text1", "25");
    type(main, "Text4", "1200");
    type(main, "Text7", "3");
    main->updateTotal();
    main->updateClock();
    if (!shown("main-window", main))
        return true;

    click(main, QStringLiteral("Command2"));
    SchedulerWindow *scheduler = program.schedulerWindow();
    type(scheduler, "Text1", "1");
    type(scheduler, "Text2", "30");
    click(scheduler, QStringLiteral("Command2"));
    fakes.clock.advance(75);
    scheduler->updateSchedule();
    if (!shown("scheduler", scheduler))
        return true;

    fakes.clock.advance(90 * 60);
    scheduler->updateSchedule();
    CountdownWindow *countdown = program.countdownWindow();
    for (int tick = 0; tick < 3; ++tick)
        countdown->updateCount();
    if (!shown("countdown", countdown))
        return true;
    click(countdown, QStringLiteral("Command2"));

    child<QAction>(main, QStringLiteral("BC1"))->trigger();
    child<QAction>(main, QStringLiteral("CK1"))->trigger();
    if (!shown("preview", program.previewWindow()))
        return true;

    // The safety note gives the size of the program file, which changes with every build: a
    // file of the size of the released program stands in for it.
    QTemporaryFile programFile;
    if (!programFile.open() || !programFile.resize(361032))
        return false;
    HelpWindow help(fakes.platform, programFile.fileName());
    help.show();
    shown("help", &help);
    return fakes.launcher.starts.isEmpty();
}

QString shownTexts(QWidget *window)
{
    QStringList lines {
        QStringLiteral("window %1 %2").arg(window->objectName(), quoted(window->windowTitle()))
    };
    if (const auto *bar = window->findChild<QMenuBar *>())
        addMenu(lines, QString(), bar->actions());
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        const std::optional<QString> text = shownText(control);
        // An editable drop-down's own box shows what the drop-down says.
        if (!text || qobject_cast<const QComboBox *>(control->parentWidget()))
            continue;
        QString line = QStringLiteral("%1 %2 %3")
                               .arg(QLatin1String(control->metaObject()->className()),
                                    control->objectName(), quoted(*text));
        if (!control->isVisibleTo(window))
            line += QLatin1String(" hidden");
        if (!control->toolTip().isEmpty())
            line += QLatin1String(" tip ") + quoted(control->toolTip());
        if (!control->accessibleName().isEmpty())
            line += QLatin1String(" name ") + quoted(control->accessibleName());
        if (!control->accessibleDescription().isEmpty())
            line += QLatin1String(" description ") + quoted(control->accessibleDescription());
        // Screen readers reach an editable drop-down's text through its own box.
        if (const auto *combo = qobject_cast<const QComboBox *>(control);
            combo && combo->lineEdit())
            line += QLatin1String(" box name ") + quoted(combo->lineEdit()->accessibleName())
                    + QLatin1String(" description ")
                    + quoted(combo->lineEdit()->accessibleDescription());
        lines << line;
    }
    return lines.join(u'\n') + u'\n';
}
