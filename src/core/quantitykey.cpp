// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/quantitykey.h"

namespace {
constexpr char32_t backspace = 8;
constexpr char32_t escape = 27;
} // namespace

QuantityKeyAction quantityKeyAction(char32_t code)
{
    if ((code >= U'0' && code <= U'9') || code == backspace)
        return QuantityKeyAction::Insert;
    if (code == escape)
        return QuantityKeyAction::Clear;
    return QuantityKeyAction::Cancel;
}

bool isQuantityText(const QString &text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}
