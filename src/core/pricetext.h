// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PRICETEXT_H
#define PRICETEXT_H

#include <QLocale>
#include <QString>
#include <optional>

// Unit prices are stored, shown and added up in one form, whatever the user's regional
// settings: digits with "." as the decimal point and no grouping ("1234.5"). Prices stored by
// older versions may be in other forms; they read as they did in the Chinese (China) settings
// the program was written for: "3,000" is 3000.

// The price a stored text stands for, or nothing when it is not a finite number.
std::optional<double> readStoredPrice(const QString &text);

// The price the user typed: in the form of their regional settings ("1.234,5" in German), or
// plain with "." as the decimal point. Nothing when it is not a finite number, or when the two
// forms read it as different numbers ("1.234" in German).
std::optional<double> readTypedPrice(const QString &text, const QLocale &locale);

// The stored form of a price: the shortest text that reads back as the same number.
QString storedPriceText(double price);

#endif // PRICETEXT_H
