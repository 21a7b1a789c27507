#ifndef SETTINGSSTORE_H
#define SETTINGSSTORE_H

#include <QString>

// The per-user settings store: string values addressed by section and key, all under
// the program's one application name.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored value, or defaultValue when the key was never written.
    virtual QString value(const QString &section, const QString &key,
                          const QString &defaultValue) const = 0;
    virtual void setValue(const QString &section, const QString &key, const QString &value) = 0;

    // Makes every value set so far durable. False when they did not reach the medium.
    virtual bool commit() = 0;

    // True once after a commit that found a store it could not fully read and kept a copy
    // of it before writing over it; the user is to be told.
    virtual bool takeBackupNotice() = 0;
};

#endif // SETTINGSSTORE_H
