#ifndef FAKESETTINGSSTORE_H
#define FAKESETTINGSSTORE_H

#include "platform/settingsstore.h"

#include <QMap>
#include <utility>

// An in-memory store. Values are keyed "section/key"; commits can be made to fail.
class FakeSettingsStore : public SettingsStore
{
public:
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override
    {
        return values.value(section + u'/' + key, defaultValue);
    }
    void setValue(const QString &section, const QString &key, const QString &value) override
    {
        values.insert(section + u'/' + key, value);
    }
    bool commit() override
    {
        ++commits;
        return commitSucceeds;
    }
    bool takeBackupNotice() override { return std::exchange(backupNotice, false); }

    QMap<QString, QString> values;
    bool commitSucceeds = true;
    int commits = 0;
    // Set to have the next takeBackupNotice() report a store file kept aside.
    bool backupNotice = false;
};

#endif // FAKESETTINGSSTORE_H
