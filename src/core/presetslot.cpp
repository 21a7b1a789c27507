// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/presetslot.h"

QString presetNumeral(int slot)
{
    static const QString numerals = QStringLiteral("一二三四五");
    Q_ASSERT(slot >= 1 && slot <= presetSlotCount);
    return numerals.mid(slot - 1, 1);
}

QString presetCaption(int slot)
{
    return QStringLiteral("方案") + presetNumeral(slot);
}

QString presetButtonCaption(int slot)
{
    return QStringLiteral("调用") + presetCaption(slot);
}

int presetSlotOfButtonCaption(const QString &caption)
{
    for (int slot = 1; slot <= presetSlotCount; ++slot) {
        if (caption == presetButtonCaption(slot))
            return slot;
    }
    return 0;
}

QString presetSavedMessage(int slot)
{
    return QStringLiteral("将价格表保存到") + presetCaption(slot) + QStringLiteral("完成！");
}

QString presetLoadedMessage(int slot)
{
    return QStringLiteral("读取") + presetCaption(slot) + QStringLiteral("成功！");
}
