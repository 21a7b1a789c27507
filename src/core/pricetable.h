// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PRICETABLE_H
#define PRICETABLE_H

#include <QString>
#include <array>

// One row of the price table: an item name and its unit price, both kept as text.
struct PriceEntry
{
    QString name;
    QString price;

    friend bool operator==(const PriceEntry &a, const PriceEntry &b)
    {
        return a.name == b.name && a.price == b.price;
    }
};

constexpr int priceTableRows = 9;

// The nine rows of the main window, row 1 first.
using PriceTable = std::array<PriceEntry, priceTableRows>;

// The table of a first run, and of "初始化价格表".
PriceTable defaultPriceTable();

// For the terminal, when a table could not be saved and nobody can be asked: a line per row,
// its number, name and price.
QString unsavedTableReport(const PriceTable &table);

#endif // PRICETABLE_H
