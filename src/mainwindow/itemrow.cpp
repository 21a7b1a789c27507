// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/itemrow.h"

#include "core/rowtexts.h"
#include "mainwindow/quantityvalidator.h"
#include "widgets/clickablelabel.h"
#include "widgets/fittedtext.h"
#include "widgets/songfont.h"
#include "widgets/textcolour.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The smallest sizes still read at a glance: digits stay clear at 6 points, ideographs need 7.
constexpr int smallestPricePointSize = 6;
constexpr int smallestNamePointSize = 7;

QString nameHint()
{
    return QStringLiteral("点击设置物品名");
}

// The width a button's style leaves for its caption.
int captionRoom(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle *style = button->style();
    return style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width()
            - style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
}

} // namespace

ItemRow::ItemRow(int number, QWidget *parent)
    : m_nameButton(new QPushButton(parent))
    , m_priceLabel(new QLabel(parent))
    , m_editLink(new ClickableLabel(QStringLiteral("修改"), parent))
    , m_quantityBox(new QLineEdit(parent))
{
    const QString n = QString::number(number);
    const int offset = 360 * (number - 1);

    m_nameButton->setObjectName(QStringLiteral("btn") + n);
    m_nameButton->setGeometry(twipsRect(240, 600 + offset, 1300, 350));
    m_nameButton->setToolTip(nameHint());
    m_nameButton->setFocusPolicy(Qt::ClickFocus);
    m_nameButton->setAutoDefault(false);
    m_nameButton->setAccessibleDescription(QStringLiteral("第%1行物品名").arg(number));

    m_priceLabel->setObjectName(QStringLiteral("l") + n);
    m_priceLabel->setGeometry(twipsRect(1440, 720 + offset, 600, 225));
    m_priceLabel->setTextFormat(Qt::PlainText);
    m_priceLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_priceLabel->setFont(unshapedSongFont(9));
    setTextColour(m_priceLabel, Qt::red);
    m_priceLabel->setAccessibleDescription(QStringLiteral("第%1行单价").arg(number));

    QFont linkFont = unshapedSongFont(9);
    linkFont.setUnderline(true);
    m_editLink->setObjectName(QStringLiteral("s") + n);
    m_editLink->setGeometry(twipsRect(2040, 720 + offset, 375, 255));
    m_editLink->setFont(linkFont);
    setTextColour(m_editLink, Qt::blue);
    m_editLink->setToolTip(QStringLiteral("点击设置物品单价"));
    m_editLink->setAccessibleDescription(QStringLiteral("修改第%1行单价").arg(number));

    m_quantityBox->setObjectName(QStringLiteral("Text") + n);
    m_quantityBox->setGeometry(twipsRect(2400, 600 + offset, 1095, 375));
    m_quantityBox->setFont(unshapedSongFont(12));
    // Typed keys are filtered one by one; this also holds pasted, dropped and composed text
    // to digits.
    m_quantityBox->setValidator(new QuantityValidator(m_quantityBox));
    m_quantityBox->setAccessibleName(QStringLiteral("第%1行数量").arg(number));

    m_nameFont = m_nameButton->font();
    m_priceFont = m_priceLabel->font();
}

QString ItemRow::name() const
{
    return m_name;
}

void ItemRow::setName(const QString &name)
{
    m_name = name;
    showName();
}

QString ItemRow::price() const
{
    return m_price;
}

void ItemRow::setPrice(const QString &price)
{
    m_price = price;
    showPrice();
}

void ItemRow::showName()
{
    const FittedText fitted =
            fitText(oneLine(m_name), m_nameFont, captionRoom(m_nameButton), smallestNamePointSize);
    QFont font = m_nameFont;
    font.setPointSize(fitted.pointSize);
    m_nameButton->setFont(font);
    m_nameButton->setText(escapeMnemonic(fitted.text));
    m_nameButton->setAccessibleName(readableLength(m_name));
    m_nameButton->setToolTip(
            fitted.elided ? plainToolTip(readableLength(m_name) + u'\n' + nameHint()) : nameHint());
}

void ItemRow::showPrice()
{
    // The label overlaps the name button; the price keeps to the part right of it.
    const int room = m_priceLabel->geometry().right() - m_nameButton->geometry().right();
    const FittedText fitted = fitText(oneLine(m_price), m_priceFont, room, smallestPricePointSize);
    QFont font = m_priceFont;
    font.setPointSize(fitted.pointSize);
    m_priceLabel->setFont(font);
    m_priceLabel->setText(fitted.text);
    m_priceLabel->setToolTip(fitted.elided ? plainToolTip(readableLength(m_price)) : QString());
}

QString ItemRow::quantity() const
{
    return m_quantityBox->text();
}

void ItemRow::clearQuantity()
{
    m_quantityBox->clear();
}
