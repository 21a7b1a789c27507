#include "app/total.h"

#include "app/numbertext.h"

#include <cmath>
#include <limits>

namespace {

constexpr int maxSignificantDigits = 15;

QString tooLargeText()
{
    return QStringLiteral("数值过大");
}

// Plain decimal text of a finite value, rounded to 15 significant digits, without an
// exponent and without trailing zeros after the point.
QString plainDecimal(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    const int wholeDigits = int(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = std::max(0, maxSignificantDigits - wholeDigits);
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

QString totalCaption(const QList<RowEntry> &rows, const QLocale &locale)
{
    double sum = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const RowEntry &row = rows.at(i);
        if (row.quantity.isEmpty())
            continue;
        const std::optional<double> price = parseFiniteNumber(row.price, locale);
        if (!price)
            return QStringLiteral("第%1行单价无效").arg(i + 1);
        // Quantities are digits only; one too long for a double is infinitely large.
        const double quantity = parseFiniteNumber(row.quantity, locale)
                                        .value_or(std::numeric_limits<double>::infinity());
        sum += *price * quantity;
    }
    return formatTotal(sum);
}
