// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LAYOUTCONTROLS_H
#define LAYOUTCONTROLS_H

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Controls of the windows' fixed layouts, named and placed as the layouts give them.

// A plain-text label of fixed size: a new text repaints the label and nothing else.
QLabel *createLabel(const QString &name, const QString &text, const QRect &geometry,
                    QWidget *parent);

// A button that Enter clicks only when it has the focus.
QPushButton *createButton(const QString &name, const QString &text, const QRect &geometry,
                          QWidget *parent);

#endif // LAYOUTCONTROLS_H
