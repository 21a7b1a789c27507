// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QUANTITYKEY_H
#define QUANTITYKEY_H

#include <QString>

// What a quantity box does with one typed character code.
enum class QuantityKeyAction {
    Insert, // the digits 0 to 9 and Backspace, handled by the box as usual
    Clear, // Esc: clear all quantities, and insert nothing
    Cancel, // everything else: insert nothing
};

QuantityKeyAction quantityKeyAction(char32_t code);

// True when every character of text is one of the ASCII digits 0 to 9.
bool isQuantityText(const QString &text);

#endif // QUANTITYKEY_H
