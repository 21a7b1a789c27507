// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qttrayandtaskbar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

QtTrayAndTaskbar::QtTrayAndTaskbar(QObject *parent) : QObject(parent) { }

// The menu has no parent widget to go with.
QtTrayAndTaskbar::~QtTrayAndTaskbar()
{
    delete m_icon;
    delete m_menu;
}

void QtTrayAndTaskbar::alert(QWidget *window)
{
    QApplication::alert(window);
}

bool QtTrayAndTaskbar::hasTray() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayAndTaskbar::setTrayCommands(std::function<void()> show, std::function<void()> cancel)
{
    m_show = std::move(show);
    m_cancel = std::move(cancel);
}

void QtTrayAndTaskbar::showTrayIcon(const QString &toolTip)
{
    if (!m_icon)
        createTrayIcon();
    m_icon->setToolTip(toolTip);
    m_icon->show();
}

void QtTrayAndTaskbar::hideTrayIcon()
{
    if (m_icon)
        m_icon->hide();
}

void QtTrayAndTaskbar::createTrayIcon()
{
    m_menu = new QMenu;
    QAction *show = m_menu->addAction(QStringLiteral("显示"));
    show->setObjectName(QStringLiteral("trayShow"));
    connect(show, &QAction::triggered, this, [this] { m_show(); });
    QAction *cancel = m_menu->addAction(QStringLiteral("取消关机"));
    cancel->setObjectName(QStringLiteral("trayCancel"));
    connect(cancel, &QAction::triggered, this, [this] { m_cancel(); });

    m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    m_show();
            });
}
