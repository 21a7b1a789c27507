// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PRICETABLEVIEW_H
#define PRICETABLEVIEW_H

#include "core/pricetable.h"

// Where the price table is shown and edited: the main window.
class PriceTableView
{
public:
    virtual PriceTable priceTable() const = 0;
    virtual void setPriceTable(const PriceTable &table) = 0;

protected:
    ~PriceTableView() = default;
};

#endif // PRICETABLEVIEW_H
