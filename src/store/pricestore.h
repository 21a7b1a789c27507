#ifndef PRICESTORE_H
#define PRICESTORE_H

#include "store/pricetable.h"

#include <QString>

class SettingsStore;

// The table that is saved by itself, as opposed to preset slots 1 to 5.
constexpr int automaticTable = 0;

// The program's entries in the settings store. Each price table has its own section,
// "物品名称及价格储存" for the automatic one and "物品名称及价格储存1" to "…5" for the
// presets, with the names of rows 1 to 9 under "a1".."a9" and their prices under
// "b1".."b9". The start counter is "N" in "使用次数". Absent keys read as "设置", "0" and "0".
class PriceStore
{
public:
    explicit PriceStore(SettingsStore &store);

    static QString section(int slot);

    PriceTable table(int slot) const;
    void setTable(int slot, const PriceTable &table);

    QString runCount() const;
    void setRunCount(const QString &count);

    // Writes what was set; false when it did not reach the store.
    bool commit();

private:
    SettingsStore &m_store;
};

// The start counter of this run, from the stored one.
struct RunCount
{
    QString sycs;
    bool firstRun = false;
};

// One more than the stored count. A count that is not a number can only come from editing
// the store by hand: it counts as run 1, but not as a first run, so nothing stored is passed by.
RunCount countThisRun(const QString &storedCount);

#endif // PRICESTORE_H
