// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef RUNCOUNT_H
#define RUNCOUNT_H

#include <QString>

// The start counter of this run, from the stored one.
struct RunCount
{
    QString sycs;
    bool firstRun = false;
};

// One more than the stored count. A count that is not a number can only come from editing
// the store by hand: it counts as run 1, but not as a first run, so nothing stored is passed by.
RunCount countThisRun(const QString &storedCount);

#endif // RUNCOUNT_H
