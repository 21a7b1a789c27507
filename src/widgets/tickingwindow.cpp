// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/tickingwindow.h"

#include <QTimer>

TickingWindow::TickingWindow(QWidget *parent) : QWidget(parent), m_ticker(new QTimer(this))
{
    m_ticker->setObjectName(QStringLiteral("Timer1"));
    m_ticker->setInterval(1000);
}

bool TickingWindow::isRunning() const
{
    return m_ticker->isActive();
}

void TickingWindow::startTicking()
{
    m_ticker->start();
    Q_EMIT runningChanged();
}

void TickingWindow::stopTicking()
{
    if (!m_ticker->isActive())
        return;
    m_ticker->stop();
    Q_EMIT runningChanged();
}

void TickingWindow::closeEvent(QCloseEvent *event)
{
    stopTicking();
    QWidget::closeEvent(event);
}
