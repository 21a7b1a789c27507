// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ITEMROW_H
#define ITEMROW_H

#include <QFont>
#include <QString>

class ClickableLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// One of the nine item rows of the main window: the name button btnK, the unit-price label
// lK, the "修改" link sK and the quantity box TextK. The row keeps its name and price whole,
// while the button and the label show them fitted to their room; the box holds the quantity.
class ItemRow
{
public:
    ItemRow(int number, QWidget *parent);

    QString name() const;
    void setName(const QString &name);
    QString price() const;
    void setPrice(const QString &price);
    QString quantity() const;
    void clearQuantity();

    QPushButton *nameButton() const { return m_nameButton; }
    ClickableLabel *editLink() const { return m_editLink; }
    QLineEdit *quantityBox() const { return m_quantityBox; }

private:
    void showName();
    void showPrice();

    QString m_name;
    QString m_price;
    QFont m_nameFont;
    QFont m_priceFont;
    QPushButton *m_nameButton;
    QLabel *m_priceLabel;
    ClickableLabel *m_editLink;
    QLineEdit *m_quantityBox;
};

#endif // ITEMROW_H
