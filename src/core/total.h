// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TOTAL_H
#define TOTAL_H

#include <QList>
#include <QString>

// One item row as the running total sees it: the texts of its quantity box and price label.
struct RowEntry
{
    QString quantity;
    QString price;
};

// "1234567" -> "1,234,567": an ASCII comma before every group of three digits from the right.
QString groupThousands(const QString &digits);

// The sum as the total label shows it: the digits of its whole part grouped, rounded to at
// most 15 significant digits and at most four decimals, or "数值过大" when it is not finite
// or reaches 10^15.
QString formatTotal(double sum);

// The caption of the total label for the rows, numbered from 1 in list order. Rows with an
// empty quantity are skipped without looking at their price; the first counted row whose
// price is not a finite number gives "第k行单价无效". Prices are read in their stored form,
// so that the same table gives the same total in every regional setting.
QString totalCaption(const QList<RowEntry> &rows);

#endif // TOTAL_H
