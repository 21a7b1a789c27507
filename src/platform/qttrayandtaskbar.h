// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTTRAYANDTASKBAR_H
#define QTTRAYANDTASKBAR_H

#include "platform/trayandtaskbar.h"

#include <QObject>

class QMenu;
class QSystemTrayIcon;

// The desktop's own notification area and taskbar, as Qt reaches them. The icon is made the
// first time it is shown.
class QtTrayAndTaskbar : public QObject, public TrayAndTaskbar
{
    Q_OBJECT

public:
    explicit QtTrayAndTaskbar(QObject *parent = nullptr);
    ~QtTrayAndTaskbar() override;

    void alert(QWidget *window) override;
    bool hasTray() const override;
    void setTrayCommands(std::function<void()> show, std::function<void()> cancel) override;
    void showTrayIcon(const QString &toolTip) override;
    void hideTrayIcon() override;

private:
    void createTrayIcon();

    std::function<void()> m_show;
    std::function<void()> m_cancel;
    QSystemTrayIcon *m_icon = nullptr;
    QMenu *m_menu = nullptr;
};

#endif // QTTRAYANDTASKBAR_H
