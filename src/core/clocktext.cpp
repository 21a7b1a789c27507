// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/clocktext.h"

namespace {

bool isWordCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || c == u'_';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// The format with each time-zone name ("t" as a word of its own) and the blanks around it
// made one blank. Plain code rather than a regular expression, whose engine would take half a
// megabyte of memory at the first tick for this alone.
QString withoutZoneName(const QString &format)
{
    QString result;
    result.reserve(format.size());
    const qsizetype size = format.size();
    for (qsizetype i = 0; i < size; ++i) {
        const bool zoneName = format.at(i) == u't' && (i == 0 || !isWordCharacter(format.at(i - 1)))
                && (i + 1 == size || !isWordCharacter(format.at(i + 1)));
        if (!zoneName) {
            result += format.at(i);
            continue;
        }
        while (!result.isEmpty() && isBlank(result.back()))
            result.chop(1);
        result += u' ';
        while (i + 1 < size && isBlank(format.at(i + 1)))
            ++i;
    }
    return result;
}

} // namespace

QString clockText(const QDateTime &moment, const QLocale &locale)
{
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;

    const QString timeFormat = withoutZoneName(locale.timeFormat(QLocale::LongFormat));
    return date + u' ' + locale.toString(time, timeFormat.trimmed());
}
