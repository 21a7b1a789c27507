// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/windowplacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

void centreOnScreen(QWidget *window)
{
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                            window->screen()->availableGeometry()));
}
