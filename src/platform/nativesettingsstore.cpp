// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/nativesettingsstore.h"

#include <QSettings>

NativeSettingsStore::NativeSettingsStore(const QString &location) : m_location(location) { }

void NativeSettingsStore::reload() { }

QString NativeSettingsStore::value(const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    const QString path = PendingValues::path(section, key);
    if (const std::optional<QString> set = m_pending.text(path))
        return *set;
    return QSettings(m_location, QSettings::NativeFormat).value(path, defaultValue).toString();
}

void NativeSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_pending.set(PendingValues::path(section, key), value);
}

void NativeSettingsStore::updateValue(const QString &section, const QString &key, Update update)
{
    m_pending.update(PendingValues::path(section, key), std::move(update));
}

bool NativeSettingsStore::commit()
{
    // A fresh object, whose status then tells of this write alone.
    QSettings settings(m_location, QSettings::NativeFormat);
    m_pending.apply(
            [&settings](const QString &path) -> std::optional<QString> {
                if (!settings.contains(path))
                    return std::nullopt;
                return settings.value(path).toString();
            },
            [&settings](const QString &path, const QString &value) {
                settings.setValue(path, value);
            });
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    m_pending.clear();
    return true;
}

bool NativeSettingsStore::isUnreadable() const
{
    return false;
}

QString NativeSettingsStore::location() const
{
    return m_location;
}

QString NativeSettingsStore::takeKeptCopy()
{
    return QString();
}
