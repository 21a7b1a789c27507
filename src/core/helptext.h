// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef HELPTEXT_H
#define HELPTEXT_H

#include <QString>
#include <QStringList>

// The one address from which the program should be downloaded.
QString downloadAddress();

// A file's size as the safety note gives it: in whole kilobytes of 1024 bytes, rounded to the
// nearest, "301KB".
QString kilobytesText(qint64 bytes);

// The help window's text, line by line: safety notes, usage notes and the author's remarks. The
// first note gives the program's size, as kilobytesText() writes it.
QStringList helpLines(const QString &address, const QString &programSize);

// The lines joined, each one followed by a line break.
QString helpText(const QString &address, const QString &programSize);

#endif // HELPTEXT_H
