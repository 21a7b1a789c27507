// Any double gives either "数值过大" or a grouped text that reads back as the same number to
// 15 significant digits; any text is grouped by threes from the right and comes back
// unchanged when the inserted commas are taken out.

#include "app/total.h"
#include "fuzzinput.h"

#include <QRegularExpression>
#include <cmath>
#include <cstring>

namespace {

void checkFormat(double sum)
{
    static const QRegularExpression number(
            QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*(\\.[0-9]+)?$"));

    const QString caption = formatTotal(sum);
    const QString where = QStringLiteral("sum %1 caption \"%2\"").arg(sum, 0, 'g', 17).arg(caption);

    if (!std::isfinite(sum) || std::fabs(sum) >= 1e15) {
        FUZZ_CHECK(caption == QStringLiteral("数值过大"), where);
        return;
    }
    if (caption == QStringLiteral("数值过大")) {
        // Only sums that round up to 10^15 at 15 significant digits.
        FUZZ_CHECK(std::fabs(sum) >= 999999999999999.0, where);
        return;
    }
    FUZZ_CHECK(number.match(caption).hasMatch(), where);
    FUZZ_CHECK(caption != QLatin1String("-0"), where);
    if (caption.contains(u'.'))
        FUZZ_CHECK(!caption.endsWith(u'0'), where);

    bool ok = false;
    const double back = QString(caption).remove(u',').toDouble(&ok);
    FUZZ_CHECK(ok, where);
    FUZZ_CHECK(std::fabs(back - sum) <= 1e-14 * std::fabs(sum), where);
}

void checkGrouping(const QString &text)
{
    const QString grouped = groupThousands(text);
    const QString where = QStringLiteral("text \"%1\" grouped \"%2\"").arg(text, grouped);
    const qsizetype n = text.size();

    FUZZ_CHECK(grouped.size() == n + (n > 0 ? (n - 1) / 3 : 0), where);
    // Taking out the commas placed before each group of three from the right gives the text.
    QString back;
    for (qsizetype i = 0; i < grouped.size(); ++i) {
        const qsizetype fromRight = grouped.size() - i;
        if (i > 0 && fromRight % 4 == 0) {
            FUZZ_CHECK(grouped.at(i) == u',', where);
            continue;
        }
        back += grouped.at(i);
    }
    FUZZ_CHECK(back == text, where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= sizeof(double)) {
        double sum;
        std::memcpy(&sum, data, sizeof sum);
        checkFormat(sum);
        data += sizeof sum;
        size -= sizeof sum;
    }
    checkGrouping(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
