// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

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

// The text as QSettings may safely be given it. QSettings decodes binary values
// ("@Variant(...)", "@DateTime(...)") with QDataStream, which trusts the sizes it reads: a
// damaged or hostile one asks for gigabytes, and the program ends. The program reads none of
// them (they are no text), so each such value is given to QSettings as "@Invalid()". Their
// lines stay as they are in the file wherever a save changes only the program's own lines.
QByteArray withoutEncodedValues(const QByteArray &text);

// QSettings works on scratch copies in the temporary folder, or else in a folder of their own
// in spareFolder, when one is given.

// The values that are text, as QSettings reads them; a list of texts ("a, b" unquoted) as its
// items joined by ", ". A value that is no text (written as "@Variant(...)") is left out.
SettingsFileReading readSettingsFile(const QByteArray &text, SettingsValues &values,
                                     const QString &spareFolder = QString());

struct SettingsFileText
{
    QByteArray bytes;
    // QSettings wrote the whole text anew: comments, and lines it could not read, are gone,
    // and it changed a few values of others, as it always does (a number stored as
    // "@Variant(...)" becomes its text).
    bool rewritten = false;
};

// The text with the values set. Only their lines change where QSettings confirms that every
// other key then reads as before, with its type; otherwise QSettings writes the whole text.
// Nothing when the text could not be made.
std::optional<SettingsFileText> settingsFileWithValues(const QByteArray &text,
                                                       const SettingsValues &values,
                                                       const QString &spareFolder = QString());

#endif // SETTINGSFILE_H
