// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SETTINGSSTORE_H
#define SETTINGSSTORE_H

#include <QString>
#include <functional>
#include <optional>

// The per-user settings store: string values addressed by section and key, all under the
// program's one application name.
//
// Values are read from what the store held at the last reload() or commit(); what is set
// waits until commit() writes it. Only the values set are written: another instance of the
// program may have written others in between, and they stay as it wrote them.
class SettingsStore
{
public:
    // A value computed from the stored one (nothing where the key is not stored) at the moment
    // it is written; nothing leaves the stored value as it is.
    using Update = std::function<std::optional<QString>(const std::optional<QString> &stored)>;

    virtual ~SettingsStore() = default;

    // Reads the store afresh.
    virtual void reload() = 0;

    // The value set, else the stored one, else defaultValue when the key was never written.
    virtual QString value(const QString &section, const QString &key,
                          const QString &defaultValue) const = 0;
    virtual void setValue(const QString &section, const QString &key, const QString &value) = 0;
    virtual void updateValue(const QString &section, const QString &key, Update update) = 0;

    // Writes what was set. False when it did not reach the medium; it is then kept for the
    // next commit.
    virtual bool commit() = 0;

    // The store exists but could not be read at the last reload or commit. Nothing is written
    // over such a store.
    virtual bool isUnreadable() const = 0;

    // Where the values are kept, for the user: a file name, or a registry path on Windows.
    virtual QString location() const = 0;

    // Once after a commit found a store it could not fully read: the copy of it kept before
    // it was written over. Empty otherwise.
    virtual QString takeKeptCopy() = 0;
};

#endif // SETTINGSSTORE_H
