// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/fittedtext.h"

#include <QFontMetrics>
#include <QTextDocument>

namespace {

// Even with marks stacked on their letters no more characters than this share a pixel: a
// longer text cannot show whole, and no more characters than this from either end can show.
constexpr int charactersPerPixel = 4;

QFont resized(QFont font, int pointSize)
{
    font.setPointSize(pointSize);
    return font;
}

} // namespace

FittedText fitText(const QString &text, const QFont &font, int width, int minimumPointSize)
{
    const int smallest = qMin(font.pointSize(), minimumPointSize);
    const qsizetype reach = qsizetype(qMax(width, 1)) * charactersPerPixel;
    if (text.size() <= reach) {
        for (int size = font.pointSize(); size >= smallest; --size) {
            if (QFontMetrics(resized(font, size)).horizontalAdvance(text) <= width)
                return { size, text, false };
        }
    }

    const QFontMetrics metrics(resized(font, smallest));
    if (text.size() <= reach)
        return { smallest, metrics.elidedText(text, Qt::ElideMiddle, width), true };

    // Only the two ends can show; the seam between them never splits a surrogate pair.
    qsizetype headEnd = reach;
    if (text.at(headEnd - 1).isHighSurrogate())
        --headEnd;
    qsizetype tailStart = text.size() - reach;
    if (text.at(tailStart).isLowSurrogate())
        ++tailStart;
    const QString head = text.left(headEnd);
    const QString tail = text.mid(tailStart);
    const QString ends = head + tail;
    const QString shown = metrics.elidedText(ends, Qt::ElideMiddle, width);
    // Ends made of characters without width fit whole, but the middle is still left out.
    if (shown == ends)
        return { smallest, head + QChar(0x2026) + tail, true };
    return { smallest, shown, true };
}

QString plainToolTip(const QString &text)
{
    return Qt::convertFromPlainText(text);
}
