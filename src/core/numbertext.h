// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef NUMBERTEXT_H
#define NUMBERTEXT_H

#include <QLocale>
#include <QString>
#include <optional>

// The number a text stands for in the given regional settings, or nothing when it is not
// a finite number ("abc", "", "nan", "inf", "1e999").
std::optional<double> parseFiniteNumber(const QString &text, const QLocale &locale);

#endif // NUMBERTEXT_H
