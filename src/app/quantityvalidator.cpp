#include "app/quantityvalidator.h"

#include "app/quantitykey.h"

QValidator::State QuantityValidator::validate(QString &input, int &) const
{
    return isQuantityText(input) ? Acceptable : Invalid;
}
