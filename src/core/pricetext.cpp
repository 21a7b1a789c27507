// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/pricetext.h"

#include "core/numbertext.h"

namespace {

QLocale withoutGrouping(QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace

std::optional<double> readStoredPrice(const QString &text)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    return parseFiniteNumber(text, chinese);
}

std::optional<double> readTypedPrice(const QString &text, const QLocale &locale)
{
    static const QLocale plain = withoutGrouping(QLocale::c());
    const std::optional<double> regional = parseFiniteNumber(text, locale);
    const std::optional<double> plainPrice = parseFiniteNumber(text, plain);
    // "1.234" is 1234 to a German reader: a text that means two things is not guessed at.
    if (regional && plainPrice && *regional != *plainPrice)
        return std::nullopt;
    return regional ? regional : plainPrice;
}

QString storedPriceText(double price)
{
    return QLocale::c().toString(price, 'f', QLocale::FloatingPointShortest);
}
