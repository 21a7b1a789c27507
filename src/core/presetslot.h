// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PRESETSLOT_H
#define PRESETSLOT_H

#include <QString>

// The five preset slots are numbered 1 to 5 and named with Chinese numerals.
constexpr int presetSlotCount = 5;

// "一" to "五".
QString presetNumeral(int slot);

// "方案一" to "方案五": the slot's menu items and preview caption.
QString presetCaption(int slot);

// "调用方案一" to "调用方案五": the preview button while it shows the slot.
QString presetButtonCaption(int slot);

// The slot whose button caption this is exactly, or 0 for any other text.
int presetSlotOfButtonCaption(const QString &caption);

// "将价格表保存到方案一完成！" and "读取方案一成功！", for each slot.
QString presetSavedMessage(int slot);
QString presetLoadedMessage(int slot);

#endif // PRESETSLOT_H
