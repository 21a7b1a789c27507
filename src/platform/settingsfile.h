#ifndef SETTINGSFILE_H
#define SETTINGSFILE_H

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

// The text of the store file on Linux: an INI file that QSettings itself reads and writes,
// through a private scratch copy, so that the program and any other program using QSettings
// always read the same values from it. Keys are "section/key"; a key of the [General]
// section has no section.

// Values by "section/key".
using SettingsValues = QMap<QString, QString>;

enum class SettingsFileReading {
    Read,
    // QSettings read only part of it: writing it again would lose the rest.
    Damaged,
    // No scratch copy could be made to read it.
    Failed,
};

// The values that are text, as QSettings reads them; a list of texts ("a, b" unquoted) as its
// items joined by ", ". A value that is no text (written as "@Variant(...)") is left out.
SettingsFileReading readSettingsFile(const QByteArray &text, SettingsValues &values);

// The text with the values set; every other key reads as before, with its type. Nothing when
// the text could not be made.
std::optional<QByteArray> settingsFileWithValues(const QByteArray &text,
                                                 const SettingsValues &values);

#endif // SETTINGSFILE_H
