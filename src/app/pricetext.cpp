#include "app/pricetext.h"

#include "app/numbertext.h"

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
    const QLocale regional =
            locale.groupSeparator() == plain.decimalPoint() ? withoutGrouping(locale) : locale;
    if (const std::optional<double> price = parseFiniteNumber(text, regional))
        return price;
    return parseFiniteNumber(text, plain);
}

QString storedPriceText(double price)
{
    return QLocale::c().toString(price, 'f', QLocale::FloatingPointShortest);
}
