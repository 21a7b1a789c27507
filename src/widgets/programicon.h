// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PROGRAMICON_H
#define PROGRAMICON_H

#include <QIcon>

// The one icon of every window of the program.
QIcon programIcon();

#endif // PROGRAMICON_H
