// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Any rows of quantity and price texts give one of the three captions the total label shows;
// any sum is shown as grouped digits that read back as the sum (to 15 significant digits and
// four decimals) or as "数值过大"; any price typed in Chinese, German or French settings is
// stored as a plain text that reads back as the same number.

#include "core/pricetext.h"
#include "core/total.h"
#include "fuzzinput.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

const QRegularExpression groupedNumber(QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*(\\.[0-9]+)?$"));

void checkCaption(const QList<RowEntry> &rows)
{
    static const QRegularExpression badPrice(QStringLiteral("^第([1-9])行单价无效$"));
    const QString caption = totalCaption(rows);
    const QString where = QStringLiteral("caption \"%1\"").arg(caption);

    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).quantity.isEmpty() || readStoredPrice(rows.at(i).price))
            continue;
        const QRegularExpressionMatch match = badPrice.match(caption);
        FUZZ_CHECK(match.hasMatch() && match.captured(1).toInt() == i + 1, where);
        return;
    }
    FUZZ_CHECK(caption == QStringLiteral("数值过大") || groupedNumber.match(caption).hasMatch(),
               where);
    FUZZ_CHECK(caption != QLatin1String("-0")
                       && !(caption.contains(u'.') && caption.endsWith(u'0')),
               where);
}

void checkFormat(double sum)
{
    const QString caption = formatTotal(sum);
    const QString where = QStringLiteral("sum %1 caption \"%2\"").arg(sum, 0, 'g', 17).arg(caption);
    if (caption == QStringLiteral("数值过大")) {
        // Only sums that reach 10^15 once rounded.
        FUZZ_CHECK(!std::isfinite(sum) || std::fabs(sum) >= 999999999999999.0, where);
        return;
    }
    FUZZ_CHECK(groupedNumber.match(caption).hasMatch(), where);
    bool ok = false;
    const double back = QString(caption).remove(u',').toDouble(&ok);
    // Half a unit in the fourth decimal, plus the read-back's own rounding, a few ulps of the sum.
    const double slack = 4 * std::numeric_limits<double>::epsilon() * std::fabs(sum);
    FUZZ_CHECK(ok && std::fabs(back - sum) <= std::max(1e-14 * std::fabs(sum), 0.00005 + slack),
               where);
}

void checkPrice(const QString &typed)
{
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    static const QRegularExpression pointed(QStringLiteral("^[0-9]+\\.[0-9]+$"));
    static const QLocale locales[] = { QLocale(QLocale::Chinese, QLocale::China),
                                       QLocale(QLocale::German, QLocale::Germany),
                                       QLocale(QLocale::French, QLocale::France) };
    for (const QLocale &locale : locales) {
        const std::optional<double> price = readTypedPrice(typed, locale);
        if (!price)
            continue;
        const QString stored = storedPriceText(*price);
        const QString where = QStringLiteral("typed \"%1\" in %2, stored \"%3\"")
                                      .arg(typed, locale.name(), stored);
        FUZZ_CHECK(plain.match(stored).hasMatch(), where);
        FUZZ_CHECK(readStoredPrice(stored) == *price, where);
        // A point between digits is a decimal point, whatever the setting.
        if (pointed.match(typed).hasMatch())
            FUZZ_CHECK(*price == QLocale::c().toDouble(typed), where);
    }
}

} // namespace

// The input: a double, then lines: each is checked as a typed price, and they make up to nine
// rows of a quantity line and a price line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkFormat(FuzzInput::take<double>(data, size));
    const QList<QString> texts = FuzzInput::lines(data, size);
    QList<RowEntry> rows;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        checkPrice(texts.at(i));
        if (i % 2 == 1 && rows.size() < 9)
            rows.append(RowEntry { texts.at(i - 1), texts.at(i) });
    }
    checkCaption(rows);
    return 0;
}
