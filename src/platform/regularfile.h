// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef REGULARFILE_H
#define REGULARFILE_H

#include <QByteArray>
#include <QString>

class QFileDevice;

struct FileContents
{
    enum Outcome {
        Read,
        // There is no such file.
        Absent,
        // Not a regular file (a folder, a device, a pipe), larger than the limit, or an
        // error while reading.
        Unreadable,
    };

    Outcome outcome = Absent;
    QByteArray bytes;
};

// The contents of a regular file of at most limit bytes, following symbolic links. Opening
// never waits: a pipe or a device is reported unreadable without being read.
FileContents readRegularFile(const QString &fileName, qint64 limit);

// There is nothing of that name, or a regular file of at most limit bytes that is not a
// symbolic link. Looks only, without opening it.
bool isAbsentOrSmallFile(const QString &fileName, qint64 limit);

// Gives the open file the permissions of the file named, when there is one. On Unix all the
// mode bits: a read-only file that root writes over stays read-only; and its group, where
// the user may give it.
bool copyPermissions(const QString &fileName, QFileDevice &file);

#endif // REGULARFILE_H
