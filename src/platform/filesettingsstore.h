// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FILESETTINGSSTORE_H
#define FILESETTINGSSTORE_H

#include "platform/pendingvalues.h"
#include "platform/settingsfile.h"
#include "platform/settingsstore.h"

// The store in one file, in the text of settingsfile.h (QSettings' INI format).
//
// A commit takes the file's lock, reads the file as it is now, puts the values set over it
// and replaces it through a temporary file whose every byte has reached the disk, with the
// old file's permissions; every other key reads as it did, whoever wrote it. It never waits long
// for the lock, and writes nothing over a file it cannot read: a pipe, a device, a file it may not
// read or one too large to be a store. A file it can read only in part, or whose other lines
// it cannot keep as they are, is first copied to a new "<name>.bak" (then "<name>.2.bak", ...),
// never over an older copy.
class FileSettingsStore : public SettingsStore
{
public:
    explicit FileSettingsStore(const QString &fileName);

    void reload() override;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    void updateValue(const QString &section, const QString &key, Update update) override;
    bool commit() override;
    bool isUnreadable() const override;
    QString location() const override;
    QString takeKeptCopy() override;

    // How long a commit waits for another writer's lock, in milliseconds.
    void setLockTimeout(int milliseconds);

private:
    enum class State { Readable, Damaged, Unreadable };
    State read(SettingsValues &values, QByteArray &bytes) const;
    bool keepCopy(const QByteArray &bytes);
    bool write(const QByteArray &text);
    // Where the file is; QSettings' scratch copies go there when the temporary folder fails.
    QString folder() const;

    QString m_fileName;
    SettingsValues m_values;
    PendingValues m_pending;
    bool m_unreadable = false;
    int m_lockTimeout = 1000;
    // What was last copied aside, so that a retried commit makes no second copy of it.
    QByteArray m_keptBytes;
    QString m_keptCopy;
};

#endif // FILESETTINGSSTORE_H
