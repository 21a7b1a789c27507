#ifndef SETTINGSFILE_H
#define SETTINGSFILE_H

#include <QByteArray>
#include <QMap>
#include <QString>

// The text of the store file on Linux: INI sections of "key=value" lines in UTF-8, escaped the
// way QSettings writes its own INI files, so that either can read what the other wrote.
// Keys are "section/key"; a key without a section goes under [General].

// Values by "section/key".
using SettingsValues = QMap<QString, QString>;

QByteArray settingsFileText(const SettingsValues &values);

// Reads what settingsFileText() or a person wrote. Lines that make no sense are skipped, and
// the result is then false (as it is for text that is not UTF-8): writing the values back
// would lose those lines.
bool readSettingsFile(const QByteArray &text, SettingsValues &values);

#endif // SETTINGSFILE_H
