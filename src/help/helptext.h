#ifndef HELPTEXT_H
#define HELPTEXT_H

#include <QString>
#include <QStringList>

// The one address from which the program should be downloaded.
QString downloadAddress();

// The help window's text, line by line: safety notes, usage notes and the author's remarks.
QStringList helpLines(const QString &address);

// The lines joined, each one followed by a line break.
QString helpText(const QString &address);

#endif // HELPTEXT_H
