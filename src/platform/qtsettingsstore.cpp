#include "platform/qtsettingsstore.h"

#include "platform/settingsfile.h"

#include <QFile>
#include <QSaveFile>
#include <utility>

namespace {

const QString applicationName = QStringLiteral("Ormek商人计算器");

bool readFile(QIODevice &device, QSettings::SettingsMap &values)
{
    // What cannot be read is dealt with by the store before it writes; reporting it here
    // would only leave a FormatError in every later status.
    readSettingsFile(device.readAll(), values);
    return true;
}

bool writeFile(QIODevice &device, const QSettings::SettingsMap &values)
{
    const QByteArray text = settingsFileText(values);
    if (device.write(text) != text.size())
        return false;
    // QSaveFile::commit() does not check the flush of its last buffered bytes; a full disk
    // would otherwise replace the file with a truncated one and be reported as success.
    auto *file = qobject_cast<QFileDevice *>(&device);
    return !file || file->flush();
}

QSettings::Format fileFormat()
{
    static const QSettings::Format format =
            QSettings::registerFormat(QStringLiteral("conf"), readFile, writeFile);
    return format;
}

bool writeWholeFile(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
            && file.commit();
}

} // namespace

QtSettingsStore::QtSettingsStore() { }

QtSettingsStore::QtSettingsStore(const QString &fileName) : m_fileName(fileName) { }

std::unique_ptr<QSettings> QtSettingsStore::openSettings() const
{
    std::unique_ptr<QSettings> settings;
    if (!m_fileName.isEmpty()) {
        settings = std::make_unique<QSettings>(m_fileName, fileFormat());
    } else {
#ifdef Q_OS_WIN
        settings = std::make_unique<QSettings>(
                QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\")
                        + applicationName,
                QSettings::NativeFormat);
#else
        settings = std::make_unique<QSettings>(fileFormat(), QSettings::UserScope, applicationName,
                                               QString());
#endif
    }
    settings->setFallbacksEnabled(false);
    return settings;
}

QString QtSettingsStore::location() const
{
    return openSettings()->fileName();
}

QString QtSettingsStore::value(const QString &section, const QString &key,
                               const QString &defaultValue) const
{
    const QString path = section + u'/' + key;
    const auto pending = m_pending.constFind(path);
    if (pending != m_pending.cend())
        return *pending;
    return openSettings()->value(path, defaultValue).toString();
}

void QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_pending.insert(section + u'/' + key, value);
}

bool QtSettingsStore::commit()
{
    std::unique_ptr<QSettings> settings = openSettings();
    if (settings->format() == fileFormat() && !keepUnreadableFile())
        return false;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        settings->setValue(it.key(), *it);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return false;
    m_pending.clear();
    return true;
}

// QSettings drops the lines it cannot read when it writes the file again; keep a copy first.
bool QtSettingsStore::keepUnreadableFile()
{
    const QString fileName = location();
    QFile file(fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QSettings::SettingsMap values;
    if (readSettingsFile(bytes, values) || bytes == m_keptAside)
        return true;
    if (!writeWholeFile(fileName + QStringLiteral(".bak"), bytes))
        return false;
    m_keptAside = bytes;
    m_backupNotice = true;
    return true;
}

bool QtSettingsStore::takeBackupNotice()
{
    return std::exchange(m_backupNotice, false);
}
