#include "support/fakesettingsstore.h"

#include <utility>

namespace {
QString path(const QString &section, const QString &key)
{
    return section + u'/' + key;
}
} // namespace

QString FakeSettingsStore::value(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    return values.value(path(section, key), defaultValue);
}

void FakeSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    values.insert(path(section, key), value);
}

bool FakeSettingsStore::commit()
{
    ++commits;
    return commitSucceeds;
}

bool FakeSettingsStore::takeBackupNotice()
{
    return std::exchange(backupNotice, false);
}

bool FakeSettingsStore::contains(const QString &section, const QString &key) const
{
    return values.contains(path(section, key));
}
