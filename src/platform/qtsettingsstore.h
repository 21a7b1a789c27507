#ifndef QTSETTINGSSTORE_H
#define QTSETTINGSSTORE_H

#include "platform/settingsstore.h"

#include <QMap>
#include <QSettings>
#include <memory>

// The per-user store of the desktop, through QSettings: on Windows the registry branch of the
// classic GetSetting/SaveSetting values, elsewhere the file "Ormek商人计算器.conf" in the
// user's configuration folder.
//
// Values set are held here until commit() writes them with a fresh QSettings object, whose
// status then tells that write's outcome alone. The file is written through a temporary file
// whose every byte is checked to have reached the disk before it replaces the old one; a file
// that cannot be fully read is first copied aside as "<name>.bak".
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();
    // The store in this file instead of the user's own.
    explicit QtSettingsStore(const QString &fileName);

    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    bool commit() override;
    bool takeBackupNotice() override;

    // Where the values are kept: a file name, or a registry path on Windows.
    QString location() const;

private:
    std::unique_ptr<QSettings> openSettings() const;
    bool keepUnreadableFile();

    QString m_fileName;
    QMap<QString, QString> m_pending;
    QByteArray m_keptAside;
    bool m_backupNotice = false;
};

#endif // QTSETTINGSSTORE_H
