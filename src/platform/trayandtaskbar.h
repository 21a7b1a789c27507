// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TRAYANDTASKBAR_H
#define TRAYANDTASKBAR_H

#include <QString>
#include <functional>

class QWidget;

// How the program reaches a user who is not looking at its windows: the desktop's
// notification area, where it has one, and the taskbar.
class TrayAndTaskbar
{
public:
    virtual ~TrayAndTaskbar() = default;

    // Makes the window ask for the user's attention: on Windows it flashes in the taskbar.
    virtual void alert(QWidget *window) = 0;

    // The desktop has a notification area for the program's icon.
    virtual bool hasTray() const = 0;

    // What a click on the icon and its menu's two commands, "显示" and "取消关机", do.
    virtual void setTrayCommands(std::function<void()> show, std::function<void()> cancel) = 0;

    // Shows the icon with this tool tip, or gives the icon shown this tool tip.
    virtual void showTrayIcon(const QString &toolTip) = 0;
    virtual void hideTrayIcon() = 0;
};

#endif // TRAYANDTASKBAR_H
