// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PICTUREDRUN_H
#define PICTUREDRUN_H

#include "support/fakeplatform.h"

#include <QString>
#include <functional>

class QWidget;

// The program on the fakes, taken through one fixed use that shows every window: the first run
// with three quantities typed; a countdown of 1 h 30 min, 75 s under way; the schedule due and
// the final count at 3; slot 1 saved and viewed; help. The clock stands still between steps
// and the launcher starts nothing, so each window looks the same on every run.
//
// Hands each window to visit, in that order, as soon as it is in its pictured state; a visit
// that returns false ends the run there. False when the run asked for the shutdown command.
bool playPicturedRun(const std::function<bool(const QString &name, QWidget *window)> &visit);

// Every text a user reads in the window, a line each: the title, the menus, and for each
// control in the order it was made, what it shows, its tooltip and its accessible name.
QString shownTexts(QWidget *window);

#endif // PICTUREDRUN_H
