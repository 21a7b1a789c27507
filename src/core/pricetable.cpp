// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/pricetable.h"

PriceTable defaultPriceTable()
{
    return { {
            { QStringLiteral("灵魂灾难"), QStringLiteral("3000") },
            { QStringLiteral("魔石头像"), QStringLiteral("2500") },
            { QStringLiteral("小蓝小黑"), QStringLiteral("80") },
            { QStringLiteral("小红"), QStringLiteral("450") },
            { QStringLiteral("狂乱强韧"), QStringLiteral("22000") },
            { QStringLiteral("蓝冰"), QStringLiteral("8000") },
            { QStringLiteral("太拉石"), QStringLiteral("5000") },
            { QStringLiteral("无色"), QStringLiteral("60") },
            { QStringLiteral("碳"), QStringLiteral("50") },
    } };
}

QString unsavedTableReport(const PriceTable &table)
{
    QString text = QStringLiteral("保存失败！以下价格表未能保存：\n");
    for (int row = 1; row <= priceTableRows; ++row) {
        text += QStringLiteral("%1\t%2\t%3\n")
                        .arg(row)
                        .arg(table[row - 1].name, table[row - 1].price);
    }
    return text;
}
