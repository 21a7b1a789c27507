// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/quantityvalidator.h"

#include "core/quantitykey.h"

QValidator::State QuantityValidator::validate(QString &input, int &) const
{
    return isQuantityText(input) ? Acceptable : Invalid;
}
