#include "platform/settingsfile.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// QSettings reads and writes only named files: each call works on a copy of the text in a
// folder of its own, which only the user may enter.
class ScratchCopy
{
public:
    explicit ScratchCopy(const QByteArray &text)
    {
        QFile file(fileName());
        m_made = m_folder.isValid() && file.open(QIODevice::WriteOnly)
                && file.write(text) == text.size() && file.flush();
    }

    bool isMade() const { return m_made; }
    QString fileName() const { return m_folder.filePath(QStringLiteral("store.conf")); }

    std::optional<QByteArray> contents() const
    {
        QFile file(fileName());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }

private:
    QTemporaryDir m_folder;
    bool m_made = false;
};

std::optional<QString> valueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(QStringLiteral(", "));
    default:
        return std::nullopt;
    }
}

SettingsFileReading readCopy(const ScratchCopy &copy, SettingsValues &values)
{
    values.clear();
    if (!copy.isMade())
        return SettingsFileReading::Failed;
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys) {
        if (const std::optional<QString> text = valueText(settings.value(key)))
            values.insert(key, *text);
    }
    switch (settings.status()) {
    case QSettings::NoError:
        return SettingsFileReading::Read;
    case QSettings::FormatError:
        return SettingsFileReading::Damaged;
    case QSettings::AccessError:
        break;
    }
    return SettingsFileReading::Failed;
}

} // namespace

SettingsFileReading readSettingsFile(const QByteArray &text, SettingsValues &values)
{
    return readCopy(ScratchCopy(text), values);
}

std::optional<QByteArray> settingsFileWithValues(const QByteArray &text,
                                                 const SettingsValues &values)
{
    const ScratchCopy copy(text);
    if (!copy.isMade())
        return std::nullopt;
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
    }
    // The status of a text QSettings read only in part tells nothing of the write: read what
    // was written instead. A value UTF-8 cannot hold (half a surrogate pair) reads otherwise.
    std::optional<QByteArray> written = copy.contents();
    SettingsValues read;
    if (!written || readSettingsFile(*written, read) == SettingsFileReading::Failed)
        return std::nullopt;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!read.contains(it.key()))
            return std::nullopt;
    }
    return written;
}
