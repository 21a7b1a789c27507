// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QUANTITYKEYFILTER_H
#define QUANTITYKEYFILTER_H

#include <QObject>

// Holds the quantity boxes to digits: watches their typed characters and turns Esc into a
// request to clear all quantities.
class QuantityKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void clearRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif // QUANTITYKEYFILTER_H
