#include "app/rowtexts.h"

namespace {

// Enough of a name to know the item by; a prompt of a very long name would take seconds to lay
// out.
constexpr qsizetype longestPromptName = 40;

// Where text may be cut at or before position without parting a surrogate pair.
qsizetype cutBefore(const QString &text, qsizetype position)
{
    return position > 0 && text.at(position).isLowSurrogate() ? position - 1 : position;
}

} // namespace

QString pricePrompt(const QString &itemName)
{
    QString name = itemName;
    if (name.size() > longestPromptName) {
        const qsizetype half = longestPromptName / 2;
        name = itemName.left(cutBefore(itemName, half)) + u'…'
                + itemName.mid(cutBefore(itemName, itemName.size() - half));
    }
    return QStringLiteral("请输入[") + name + QStringLiteral("]的单价：");
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
