// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/layoutcontrols.h"

#include <QLabel>
#include <QPushButton>

QLabel *createLabel(const QString &name, const QString &text, const QRect &geometry,
                    QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFixedSize(geometry.size());
    return label;
}

QPushButton *createButton(const QString &name, const QString &text, const QRect &geometry,
                          QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}
