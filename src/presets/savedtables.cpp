// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presets/savedtables.h"

#include "core/runcount.h"
#include "platform/settingsstore.h"

namespace {

const QString counterSection = QStringLiteral("使用次数");
const QString counterKey = QStringLiteral("N");

QString nameKey(int row)
{
    return u'a' + QString::number(row);
}

QString priceKey(int row)
{
    return u'b' + QString::number(row);
}

} // namespace

SavedTables::SavedTables(SettingsStore &store) : m_store(store) { }

QString SavedTables::section(int slot)
{
    Q_ASSERT(slot >= automaticTable && slot <= 5);
    const QString name = QStringLiteral("物品名称及价格储存");
    return slot == automaticTable ? name : name + QString::number(slot);
}

void SavedTables::reload()
{
    m_store.reload();
}

PriceTable SavedTables::table(int slot) const
{
    const QString name = section(slot);
    PriceTable table;
    for (int row = 1; row <= priceTableRows; ++row) {
        table[row - 1] = { m_store.value(name, nameKey(row), QStringLiteral("设置")),
                           m_store.value(name, priceKey(row), QStringLiteral("0")) };
    }
    return table;
}

void SavedTables::setTable(int slot, const PriceTable &table)
{
    const QString name = section(slot);
    for (int row = 1; row <= priceTableRows; ++row) {
        m_store.setValue(name, nameKey(row), table[row - 1].name);
        m_store.setValue(name, priceKey(row), table[row - 1].price);
    }
}

void SavedTables::setChangedEntries(int slot, const PriceTable &table, const PriceTable &since)
{
    const QString name = section(slot);
    for (int row = 1; row <= priceTableRows; ++row) {
        if (table[row - 1].name != since[row - 1].name)
            m_store.setValue(name, nameKey(row), table[row - 1].name);
        if (table[row - 1].price != since[row - 1].price)
            m_store.setValue(name, priceKey(row), table[row - 1].price);
    }
}

void SavedTables::setMissingEntries(int slot, const PriceTable &table)
{
    const QString name = section(slot);
    auto setIfMissing = [&](const QString &key, const QString &value) {
        m_store.updateValue(name, key, [value](const std::optional<QString> &stored) {
            return stored ? std::nullopt : std::optional(value);
        });
    };
    for (int row = 1; row <= priceTableRows; ++row) {
        setIfMissing(nameKey(row), table[row - 1].name);
        setIfMissing(priceKey(row), table[row - 1].price);
    }
}

QString SavedTables::runCount() const
{
    return m_store.value(counterSection, counterKey, QStringLiteral("0"));
}

void SavedTables::countRun()
{
    m_store.updateValue(counterSection, counterKey, [](const std::optional<QString> &stored) {
        return countThisRun(stored.value_or(QString())).sycs;
    });
}

void SavedTables::save()
{
    m_store.save();
}

bool SavedTables::commit()
{
    return m_store.commit();
}
