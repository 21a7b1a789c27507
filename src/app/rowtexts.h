#ifndef ROWTEXTS_H
#define ROWTEXTS_H

#include <QString>

// The prompt that asks for the unit price of the item with this name.
QString pricePrompt(const QString &itemName);

// Button captions treat '&' as a shortcut marker; these keep a name's '&' literal.
QString escapeMnemonic(const QString &text);
QString unescapeMnemonic(const QString &caption);

#endif // ROWTEXTS_H
