#ifndef PRESETSLOT_H
#define PRESETSLOT_H

#include <QString>

// The five preset slots are numbered 1 to 5 and named with Chinese numerals.
constexpr int presetSlotCount = 5;

// "一" to "五".
QString presetNumeral(int slot);

// "方案一" to "方案五": the slot's menu items and preview caption.
QString presetCaption(int slot);

#endif // PRESETSLOT_H
