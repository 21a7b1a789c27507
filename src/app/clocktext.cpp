#include "app/clocktext.h"

#include <QRegularExpression>

QString clockText(const QDateTime &moment, const QLocale &locale)
{
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;

    static const QRegularExpression zoneName(QStringLiteral("\\s*\\bt\\b\\s*"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.replace(zoneName, QStringLiteral(" "));
    return date + u' ' + locale.toString(time, timeFormat.trimmed());
}
