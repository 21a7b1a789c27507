// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef NATIVESETTINGSSTORE_H
#define NATIVESETTINGSSTORE_H

#include "platform/pendingvalues.h"
#include "platform/settingsstore.h"

// The store in QSettings' native format at a location: on Windows a registry key, with one
// subkey per section and one string value per key, as GetSetting and SaveSetting keep them.
// Each read asks the store itself; QSettings writes only the values set.
class NativeSettingsStore : public SettingsStore
{
public:
    explicit NativeSettingsStore(const QString &location);

    void reload() override;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    void updateValue(const QString &section, const QString &key, Update update) override;
    bool commit() override;
    bool isUnreadable() const override;
    QString location() const override;
    QString takeKeptCopy() override;

private:
    QString m_location;
    PendingValues m_pending;
};

#endif // NATIVESETTINGSSTORE_H
