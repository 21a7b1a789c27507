#include "store/pricestore.h"

#include "app/numbertext.h"
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

PriceStore::PriceStore(SettingsStore &store) : m_store(store) { }

QString PriceStore::section(int slot)
{
    Q_ASSERT(slot >= automaticTable && slot <= 5);
    const QString name = QStringLiteral("物品名称及价格储存");
    return slot == automaticTable ? name : name + QString::number(slot);
}

PriceTable PriceStore::table(int slot) const
{
    const QString name = section(slot);
    PriceTable table;
    for (int row = 1; row <= priceTableRows; ++row)
        table[row - 1].name = m_store.value(name, nameKey(row), QStringLiteral("设置"));
    for (int row = 1; row <= priceTableRows; ++row)
        table[row - 1].price = m_store.value(name, priceKey(row), QStringLiteral("0"));
    return table;
}

void PriceStore::setTable(int slot, const PriceTable &table)
{
    const QString name = section(slot);
    for (int row = 1; row <= priceTableRows; ++row)
        m_store.setValue(name, nameKey(row), table[row - 1].name);
    for (int row = 1; row <= priceTableRows; ++row)
        m_store.setValue(name, priceKey(row), table[row - 1].price);
}

QString PriceStore::runCount() const
{
    return m_store.value(counterSection, counterKey, QStringLiteral("0"));
}

void PriceStore::setRunCount(const QString &count)
{
    m_store.setValue(counterSection, counterKey, count);
}

bool PriceStore::commit()
{
    return m_store.commit();
}

RunCount countThisRun(const QString &storedCount)
{
    const std::optional<double> stored = parseFiniteNumber(storedCount, QLocale::c());
    if (!stored)
        return { QStringLiteral("1"), false };
    const double count = *stored + 1;
    return { QLocale::c().toString(count, 'f', QLocale::FloatingPointShortest), count == 1 };
}
