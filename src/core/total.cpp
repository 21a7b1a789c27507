// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/total.h"

#include "core/numbertext.h"
#include "core/pricetext.h"
#include "core/quantitykey.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr int maxSignificantDigits = 15;
// Fractions of a coin finer than this are of no use to a player.
constexpr int maxDecimals = 4;

QString tooLargeText()
{
    return QStringLiteral("数值过大");
}

// Plain decimal text of a finite value, rounded to 15 significant digits and four decimals,
// without an exponent and without trailing zeros after the point.
QString plainDecimal(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    const int wholeDigits = int(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = std::clamp(maxSignificantDigits - wholeDigits, 0, maxDecimals);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    return text;
}

} // namespace

QString groupThousands(const QString &digits)
{
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u',';
        grouped += digits.at(i);
    }
    return grouped;
}

QString formatTotal(double sum)
{
    if (!std::isfinite(sum))
        return tooLargeText();

    const QString text = plainDecimal(sum);
    const bool negative = text.startsWith(u'-');
    const qsizetype pointAt = text.indexOf(u'.');
    const QString whole = text.mid(negative ? 1 : 0, pointAt < 0 ? -1 : pointAt - negative);
    if (whole.size() > maxSignificantDigits)
        return tooLargeText();

    QString caption = groupThousands(whole);
    if (negative)
        caption.prepend(u'-');
    if (pointAt >= 0)
        caption += text.mid(pointAt);
    return caption;
}

namespace {

// Quantities are digits only; the long double holds those of a few thousand digits, and one
// too long even for that is infinitely large.
long double quantityValue(const QString &text)
{
    if (isQuantityText(text))
        return std::strtold(text.toLatin1().constData(), nullptr);
    return parseFiniteNumber(text, QLocale::c())
            .value_or(std::numeric_limits<long double>::infinity());
}

} // namespace

QString totalCaption(const QList<RowEntry> &rows)
{
    // Products and sums far beyond a double's range stay finite, so that only totals that
    // really reach 10^15 are too large.
    long double sum = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RowEntry &row = rows.at(i);
        if (row.quantity.isEmpty())
            continue;
        const std::optional<double> price = readStoredPrice(row.price);
        if (!price)
            return QStringLiteral("第%1行单价无效").arg(i + 1);
        // Nothing, however many of it.
        if (*price == 0)
            continue;
        sum += *price * quantityValue(row.quantity);
    }
    if (!(std::fabs(sum) < 1e15L))
        return tooLargeText();
    return formatTotal(double(sum));
}
