#ifndef FAKESETTINGSSTORE_H
#define FAKESETTINGSSTORE_H

#include "platform/pendingvalues.h"
#include "platform/settingsstore.h"

#include <QMap>
#include <utility>

// An in-memory store. values holds what is stored, by "section/key"; what is set waits for a
// commit, which can be made to fail.
class FakeSettingsStore : public SettingsStore
{
public:
    void reload() override { ++reloads; }
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override
    {
        const QString path = PendingValues::path(section, key);
        return m_pending.text(path).value_or(values.value(path, defaultValue));
    }
    void setValue(const QString &section, const QString &key, const QString &value) override
    {
        m_pending.set(PendingValues::path(section, key), value);
    }
    void updateValue(const QString &section, const QString &key, Update update) override
    {
        m_pending.update(PendingValues::path(section, key), std::move(update));
    }
    bool commit() override
    {
        ++commits;
        if (!commitSucceeds)
            return false;
        m_pending.apply(
                [this](const QString &path) { return values.value(path); },
                [this](const QString &path, const QString &value) { values.insert(path, value); });
        m_pending.clear();
        return true;
    }
    bool isUnreadable() const override { return unreadable; }
    QString location() const override { return QStringLiteral("/fake/store.conf"); }
    QString takeKeptCopy() override { return std::exchange(keptCopy, QString()); }

    QMap<QString, QString> values;
    bool commitSucceeds = true;
    bool unreadable = false;
    int commits = 0;
    int reloads = 0;
    // Set to have the next takeKeptCopy() report a damaged store kept aside there.
    QString keptCopy;

private:
    PendingValues m_pending;
};

#endif // FAKESETTINGSSTORE_H
