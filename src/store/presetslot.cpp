#include "store/presetslot.h"

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
