// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PENDINGVALUES_H
#define PENDINGVALUES_H

#include "platform/settingsstore.h"

#include <QMap>
#include <optional>

// Values set in a store but not written yet, by "section/key". Each is a text, or an update
// to be applied to the value stored when it is written.
class PendingValues
{
public:
    // The path of a value: "section/key".
    static QString path(const QString &section, const QString &key) { return section + u'/' + key; }

    void set(const QString &path, const QString &value) { m_values.insert(path, { value, {} }); }
    void update(const QString &path, SettingsStore::Update update)
    {
        m_values.insert(path, { QString(), std::move(update) });
    }

    // The text set for the path; nothing for an update or a path not set.
    std::optional<QString> text(const QString &path) const
    {
        const auto it = m_values.constFind(path);
        if (it == m_values.cend() || it->update)
            return std::nullopt;
        return it->value;
    }

    // Calls write(path, value) for each, updates applied to what stored(path) gives: the
    // stored text, or nothing where there is none.
    template<class Stored, class Write>
    void apply(Stored stored, Write write) const
    {
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
            if (!it->update)
                write(it.key(), it->value);
            else if (const std::optional<QString> value = it->update(stored(it.key())))
                write(it.key(), *value);
        }
    }

    void clear() { m_values.clear(); }

private:
    struct Pending
    {
        QString value;
        SettingsStore::Update update;
    };
    QMap<QString, Pending> m_values;
};

#endif // PENDINGVALUES_H
