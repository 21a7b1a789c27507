// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "core/pricetableview.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class ItemRow;
class QAction;
class QLabel;
class QPushButton;
class QTimer;
struct Platform;

// The calculator: nine item rows, the running total, the status clock and the menus.
//
// The rows hold the data. A typed quantity passes the key filter into its box; every 500 ms
// updateTotal() reads each non-empty box with its row's price and writes the grouped sum into
// the total label. Names and prices change through the row buttons and
// "修改" links (editName(), editPrice()) or through setPriceTable(); the menu commands and
// the two window commands are reported as signals for the rest of the program to carry out.
class MainWindow : public QMainWindow, public PriceTableView
{
    Q_OBJECT

public:
    explicit MainWindow(Platform &platform, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Row 1 to 9.
    ItemRow &row(int number) const;

    PriceTable priceTable() const override;
    void setPriceTable(const PriceTable &table) override;

    // Asked as the window is closed through its frame: false keeps it open.
    void setCloseCheck(std::function<bool()> check);

public Q_SLOTS:
    void updateTotal();
    void updateClock();
    void clearQuantities();
    void editName(int row);
    void editPrice(int row);

Q_SIGNALS:
    void savePresetRequested(int slot);
    void loadPresetRequested(int slot);
    void viewPresetRequested(int slot);
    void resetRequested();
    void helpRequested();
    void schedulerRequested();
    // A name or a price was edited by the user.
    void priceTableEdited();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createWidgets();
    void setTotalText(const QString &text);

    Platform &m_platform;
    std::array<std::unique_ptr<ItemRow>, priceTableRows> m_rows;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_totalLabel = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_shutdownButton = nullptr;
    QTimer *m_totalTimer = nullptr;
    QTimer *m_clockTimer = nullptr;
    std::function<bool()> m_closeCheck;
};

#endif // MAINWINDOW_H
