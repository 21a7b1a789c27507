// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsfile.h"

#include <QDataStream>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <iterator>

namespace {

// QSettings reads and writes only named files: each call works on a copy of the text in a
// folder of its own, which only the user may enter. A new name each time, as QSettings keeps
// what it read of a file name for a while.
class ScratchCopy
{
public:
    ScratchCopy(const QByteArray &text, const QString &spareFolder)
    {
        if (!m_folder->isValid() && !spareFolder.isEmpty())
            m_folder.emplace(spareFolder + QStringLiteral("/.ormek-scratch-XXXXXX"));
        QFile file(fileName());
        m_made = m_folder->isValid() && file.open(QIODevice::WriteOnly)
                && file.write(text) == text.size() && file.flush();
    }

    bool isMade() const { return m_made; }
    QString fileName() const { return m_folder->filePath(QStringLiteral("store.conf")); }

    std::optional<QByteArray> contents() const
    {
        QFile file(fileName());
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }

private:
    std::optional<QTemporaryDir> m_folder { std::in_place };
    bool m_made = false;
};

// Whether a value item that begins at i could read as a value QSettings decodes with
// QDataStream ("@Variant(...)", "@DateTime(...)"): one that begins with "@" but not with a
// form QSettings reads as plain text or numbers, or with an escape that may give an "@".
bool beginsEncodedValue(const QByteArray &line, qsizetype i)
{
    while (i < line.size() && (line.at(i) == ' ' || line.at(i) == '\t' || line.at(i) == '"'))
        ++i;
    const QByteArray item = line.mid(i);
    if (item.startsWith('@')) {
        static const char *const plainForms[] = { "@@",     "@ByteArray(", "@String(", "@Size(",
                                                  "@Rect(", "@Point(",     "@Invalid(" };
        return std::none_of(std::begin(plainForms), std::end(plainForms),
                            [&item](const char *form) { return item.startsWith(form); });
    }
    return item.startsWith("\\x") || item.startsWith("\\X") || item.startsWith("\\1")
            || (item.startsWith("\\0") && item.size() > 2 && item.at(2) >= '0'
                && item.at(2) <= '7');
}

// What QSettings reads from a text: every value, with its type.
struct Reading
{
    SettingsFileReading outcome = SettingsFileReading::Failed;
    QVariantMap values;
};

Reading qsettingsReading(const QByteArray &text, const QString &spareFolder)
{
    Reading reading;
    const ScratchCopy copy(withoutEncodedValues(text), spareFolder);
    if (!copy.isMade())
        return reading;
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        reading.values.insert(key, settings.value(key));
    switch (settings.status()) {
    case QSettings::NoError:
        reading.outcome = SettingsFileReading::Read;
        break;
    case QSettings::FormatError:
        reading.outcome = SettingsFileReading::Damaged;
        break;
    case QSettings::AccessError:
        break;
    }
    return reading;
}

// The text that QSettings itself writes: of values alone over an empty text, or of values
// over text.
std::optional<QByteArray> qsettingsText(const QByteArray &text, const SettingsValues &values,
                                        const QString &spareFolder)
{
    const ScratchCopy copy(withoutEncodedValues(text), spareFolder);
    if (!copy.isMade())
        return std::nullopt;
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    return copy.contents();
}

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

bool isSection(const QByteArray &line)
{
    return line.trimmed().startsWith('[');
}

QByteArray keyOf(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    return equals < 0 ? QByteArray() : line.left(equals).trimmed();
}

// The text with the lines of fresh (a text QSettings wrote) put in place: each key line over
// the lines of that key in its section, or after the section's last line; a section not there
// at the end. Every other line stays as it was, comments too.
QByteArray withLines(const QByteArray &text, const QByteArray &fresh)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    QByteArray section;
    for (const QByteArray &freshLine : fresh.split('\n')) {
        if (freshLine.trimmed().isEmpty())
            continue;
        if (isSection(freshLine)) {
            section = freshLine.trimmed();
            continue;
        }
        const QByteArray key = keyOf(freshLine);
        bool inSection = false;
        bool replaced = false;
        qsizetype sectionEnd = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (isSection(lines.at(i))) {
                inSection = lines.at(i).trimmed() == section;
                continue;
            }
            if (!inSection)
                continue;
            if (!lines.at(i).trimmed().isEmpty())
                sectionEnd = i + 1;
            if (keyOf(lines.at(i)) == key) {
                lines[i] = freshLine;
                replaced = true;
            }
        }
        if (replaced)
            continue;
        if (sectionEnd < 0) {
            if (!lines.isEmpty())
                lines << QByteArray();
            lines << section;
            sectionEnd = lines.size();
        }
        lines.insert(sectionEnd, freshLine);
    }
    return lines.join('\n') + '\n';
}

// Equal, and of one type; NaN equals itself.
bool same(const QVariant &a, const QVariant &b)
{
    auto bytes = [](const QVariant &value) {
        QByteArray data;
        QDataStream stream(&data, QIODevice::WriteOnly);
        stream << value;
        return data;
    };
    return a.metaType() == b.metaType() && (a == b || bytes(a) == bytes(b));
}

// QSettings reads the edited text as the text with the values set, and as nothing else.
bool readsAsSet(const Reading &before, const QByteArray &edited, const SettingsValues &values,
                const QString &spareFolder)
{
    const Reading after = qsettingsReading(edited, spareFolder);
    if (after.outcome != SettingsFileReading::Read)
        return false;
    QVariantMap expected = before.values;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        expected.insert(it.key(), it.value());
    if (after.values.keys() != expected.keys())
        return false;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!same(after.values.value(it.key()), *it))
            return false;
    }
    return true;
}

} // namespace

QByteArray withoutEncodedValues(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines) {
        if (line.trimmed().startsWith('['))
            continue;
        const qsizetype equals = line.indexOf('=');
        bool encoded = beginsEncodedValue(line, equals + 1);
        for (qsizetype i = equals + 1; !encoded && i < line.size(); ++i)
            encoded = line.at(i) == ',' && beginsEncodedValue(line, i + 1);
        if (encoded)
            line = equals < 0 ? QByteArray() : line.left(equals + 1) + "@Invalid()";
    }
    return lines.join('\n');
}

SettingsFileReading readSettingsFile(const QByteArray &text, SettingsValues &values,
                                     const QString &spareFolder)
{
    values.clear();
    const Reading reading = qsettingsReading(text, spareFolder);
    for (auto it = reading.values.cbegin(); it != reading.values.cend(); ++it) {
        if (const std::optional<QString> valueAsText = valueText(*it))
            values.insert(it.key(), *valueAsText);
    }
    return reading.outcome;
}

std::optional<SettingsFileText> settingsFileWithValues(const QByteArray &text,
                                                       const SettingsValues &values,
                                                       const QString &spareFolder)
{
    const Reading before = qsettingsReading(text, spareFolder);
    if (before.outcome == SettingsFileReading::Read) {
        const std::optional<QByteArray> fresh = qsettingsText(QByteArray(), values, spareFolder);
        if (fresh) {
            const QByteArray edited = withLines(text, *fresh);
            if (readsAsSet(before, edited, values, spareFolder))
                return SettingsFileText { edited, false };
        }
    }
    const std::optional<QByteArray> written = qsettingsText(text, values, spareFolder);
    // The status of a text QSettings read only in part tells nothing of the write: read what
    // was written instead. A value UTF-8 cannot hold (half a surrogate pair) reads as UTF-8
    // gives it back.
    SettingsValues read;
    if (!written || readSettingsFile(*written, read, spareFolder) == SettingsFileReading::Failed)
        return std::nullopt;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const auto stored = read.constFind(it.key());
        if (stored == read.cend() || *stored != QString::fromUtf8(it.value().toUtf8()))
            return std::nullopt;
    }
    return SettingsFileText { *written, true };
}
