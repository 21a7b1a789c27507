#include "app/rowtexts.h"

QString pricePrompt(const QString &itemName)
{
    return QStringLiteral("请输入[") + itemName + QStringLiteral("]的单价：");
}

QString escapeMnemonic(const QString &text)
{
    QString caption = text;
    return caption.replace(u'&', QStringLiteral("&&"));
}

QString unescapeMnemonic(const QString &caption)
{
    QString text = caption;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}
