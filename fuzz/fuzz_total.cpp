// Any quantity and price texts, in up to nine rows, give a total caption that is one of the
// three things the total label can show, and a named bad price is really the first one.

#include "app/numbertext.h"
#include "app/total.h"
#include "fuzzinput.h"

#include <QRegularExpression>

namespace {

void checkCaption(const QList<RowEntry> &rows, const QLocale &locale)
{
    static const QRegularExpression badPrice(QStringLiteral("^第([1-9])行单价无效$"));
    static const QRegularExpression number(
            QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*(\\.[0-9]+)?$"));

    const QString caption = totalCaption(rows, locale);
    const QString where = QStringLiteral("caption \"%1\"").arg(caption);

    qsizetype firstBadRow = -1;
    bool anyCounted = false;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).quantity.isEmpty())
            continue;
        anyCounted = true;
        if (firstBadRow < 0 && !parseFiniteNumber(rows.at(i).price, locale))
            firstBadRow = i;
    }

    if (!anyCounted) {
        FUZZ_CHECK(caption == QLatin1String("0"), where);
        return;
    }
    if (firstBadRow >= 0) {
        const QRegularExpressionMatch match = badPrice.match(caption);
        FUZZ_CHECK(match.hasMatch(), where);
        FUZZ_CHECK(match.captured(1).toInt() == firstBadRow + 1, where);
        return;
    }
    if (caption == QStringLiteral("数值过大"))
        return;
    FUZZ_CHECK(number.match(caption).hasMatch(), where);
    FUZZ_CHECK(caption != QLatin1String("-0"), where);
    if (caption.contains(u'.'))
        FUZZ_CHECK(!caption.endsWith(u'0'), where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    // Comma as decimal separator and point as grouping: "1.234,5".
    static const QLocale german(QLocale::German, QLocale::Germany);

    const QList<QString> texts = FuzzInput::lines(data, size);
    QList<RowEntry> rows;
    for (qsizetype i = 0; i + 1 < texts.size() && rows.size() < 9; i += 2)
        rows.append(RowEntry { texts.at(i), texts.at(i + 1) });

    checkCaption(rows, chinese);
    checkCaption(rows, german);
    return 0;
}
