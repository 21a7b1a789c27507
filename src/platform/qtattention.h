// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTATTENTION_H
#define QTATTENTION_H

#include "platform/attention.h"

#include <QObject>

class QMenu;
class QSystemTrayIcon;

// The desktop's own notification area and taskbar, as Qt reaches them. The icon is made the
// first time it is shown.
class QtAttention : public QObject, public Attention
{
    Q_OBJECT

public:
    explicit QtAttention(QObject *parent = nullptr);
    ~QtAttention() override;

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

#endif // QTATTENTION_H
