// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/rowtexts.h"

QString pricePrompt(const QString &itemName)
{
    // A prompt with the whole of a very long name would take seconds to lay out.
    return QStringLiteral("请输入[") + readableLength(itemName) + QStringLiteral("]的单价：");
}

QString escapeMnemonic(const QString &text)
{
    QString caption = text;
    return caption.replace(u'&', QStringLiteral("&&"));
}

QString readableLength(const QString &text)
{
    qsizetype length = 100;
    if (text.size() <= length)
        return text;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + QChar(0x2026);
}

QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            c = u' ';
    }
    return text;
}
