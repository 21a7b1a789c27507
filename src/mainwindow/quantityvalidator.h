// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QUANTITYVALIDATOR_H
#define QUANTITYVALIDATOR_H

#include <QValidator>

// Holds a quantity box to the digits 0 to 9, whatever way text comes in: typed, pasted, dropped
// or composed. Plain code rather than a regular expression, whose engine would be loaded and
// compiled at start for this alone.
class QuantityValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override;
};

#endif // QUANTITYVALIDATOR_H
