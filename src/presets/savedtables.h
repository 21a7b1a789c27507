// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SAVEDTABLES_H
#define SAVEDTABLES_H

#include "core/pricetable.h"

#include <QString>
#include <optional>

class SettingsStore;

// The table that is saved by itself, as opposed to preset slots 1 to 5.
constexpr int automaticTable = 0;

// The program's entries in the settings store. Each price table has its own section,
// "物品名称及价格储存" for the automatic one and "物品名称及价格储存1" to "…5" for the
// presets, with the names of rows 1 to 9 under "a1".."a9" and their prices under
// "b1".."b9". The start counter is "N" in "使用次数". Absent keys read as "设置", "0" and "0".
class SavedTables
{
public:
    explicit SavedTables(SettingsStore &store);

    static QString section(int slot);

    // Reads the store afresh, with what other instances of the program wrote to it.
    void reload();

    PriceTable table(int slot) const;
    void setTable(int slot, const PriceTable &table);
    // Sets only the names and prices of table that differ from those of since.
    void setChangedEntries(int slot, const PriceTable &table, const PriceTable &since);

    // Sets the names and prices of table only where the store holds none when it is written.
    void setMissingEntries(int slot, const PriceTable &table);

    QString runCount() const;
    // Counts this run: one more than the stored count at the moment it is written.
    void countRun();

    // Writes what was set in the background; the store tells how it went.
    void save();
    // Writes what was set and waits for it; false when it did not reach the store.
    bool commit();

private:
    SettingsStore &m_store;
};

#endif // SAVEDTABLES_H
