// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ROWTEXTS_H
#define ROWTEXTS_H

#include <QString>

// The prompt that asks for the unit price of the item with this name.
QString pricePrompt(const QString &itemName);

// The text on one line: tabs, line breaks and other control characters as spaces.
QString oneLine(QString text);

// Button captions treat '&' as a shortcut marker; this keeps a name's '&' literal.
QString escapeMnemonic(const QString &text);

// The text, or its first hundred characters and "…": as much as a tooltip or a screen reader
// gives anyone to read.
QString readableLength(const QString &text);

#endif // ROWTEXTS_H
