// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PREVIEWWINDOW_H
#define PREVIEWWINDOW_H

#include "core/pricetable.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

// The preset preview, Form3: one line "name = price" per row, and a button that loads the
// slot shown. Which slot that is lives in the button's caption alone ("调用方案一" ..
// "调用方案五"); the button reads it back when pressed.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);

    void showTable(int slot, const PriceTable &table);

public Q_SLOTS:
    // Asks for the slot named by the button's caption to be loaded, then hides the window.
    void loadShownSlot();

Q_SIGNALS:
    void loadRequested(int slot);

private:
    std::array<QLabel *, priceTableRows> m_lines {};
    QPushButton *m_loadButton = nullptr;
};

#endif // PREVIEWWINDOW_H
