#ifndef FAKESETTINGSSTORE_H
#define FAKESETTINGSSTORE_H

#include "platform/settingsstore.h"

#include <QMap>

// An in-memory store. Values are keyed "section/key"; commits can be made to fail.
class FakeSettingsStore : public SettingsStore
{
public:
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    bool commit() override;
    bool takeBackupNotice() override;

    bool contains(const QString &section, const QString &key) const;

    QMap<QString, QString> values;
    bool commitSucceeds = true;
    int commits = 0;
    // Set to have the next takeBackupNotice() report a store file kept aside.
    bool backupNotice = false;
};

#endif // FAKESETTINGSSTORE_H
