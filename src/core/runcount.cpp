// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/runcount.h"

#include "core/numbertext.h"

#include <QLocale>

RunCount countThisRun(const QString &storedCount)
{
    const std::optional<double> stored = parseFiniteNumber(storedCount, QLocale::c());
    if (!stored)
        return { QStringLiteral("1"), false };
    const double count = *stored + 1;
    return { QLocale::c().toString(count, 'f', QLocale::FloatingPointShortest), count == 1 };
}
