// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shutdown/countdownwindow.h"

#include "core/countdowntext.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "platform/shutdowncommand.h"
#include "widgets/twips.h"
#include "widgets/windowplacement.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

CountdownWindow::CountdownWindow(Platform &platform, QWidget *parent)
    : TickingWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("关机"));
    // Above other windows, so that the last warning is seen.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(twipsToPixels(3585), twipsToPixels(1605));

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setGeometry(twipsRect(555, 240, 2430, 375));
    m_bar->setRange(0, countdownLength);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setAccessibleDescription(QStringLiteral("关机倒计时进度"));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("Label1"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setGeometry(twipsRect(0, 720, 3615, 255));
    m_message->setAccessibleDescription(QStringLiteral("关机提示"));

    m_shutDownButton = new QPushButton(QStringLiteral("立即关机"), this);
    m_shutDownButton->setObjectName(QStringLiteral("Command1"));
    m_shutDownButton->setGeometry(twipsRect(240, 1080, 1455, 375));
    connect(m_shutDownButton, &QPushButton::clicked, this, &CountdownWindow::shutDownNow);

    m_cancelButton = new QPushButton(QStringLiteral("取消关机"), this);
    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    m_cancelButton->setGeometry(twipsRect(1920, 1080, 1455, 375));
    connect(m_cancelButton, &QPushButton::clicked, this, &CountdownWindow::cancel);

    setTabOrder(m_cancelButton, m_shutDownButton);
    m_cancelButton->setFocus();

    connect(ticker(), &QTimer::timeout, this, &CountdownWindow::updateCount);

    centreOnScreen(this);
    restart();
}

int CountdownWindow::secondsLeft() const
{
    return countdownLength - m_bar->value();
}

void CountdownWindow::restart()
{
    m_bar->setValue(0);
    m_message->clear();
    startTicking();
}

void CountdownWindow::updateCount()
{
    const int position = m_bar->value() + 1;
    m_bar->setValue(position);
    m_message->setText(countdownMessage(position));
    Q_EMIT secondsLeftChanged();
    if (position >= countdownLength)
        startShutdown();
}

void CountdownWindow::shutDownNow()
{
    startShutdown();
}

void CountdownWindow::cancel()
{
    stopTicking();
    hide();
    Q_EMIT cancelled();
}

void CountdownWindow::startShutdown()
{
    stopTicking();
    m_message->setText(shuttingDownMessage());
    Q_EMIT aboutToShutDown();

    const ShutdownCommand command = shutdownCommand();
    QPointer<QLabel> message(m_message);
    Dialogs &dialogs = m_platform.dialogs;
    m_platform.launcher.start(
            command.program, command.arguments, [message, &dialogs](bool succeeded) {
                if (succeeded)
                    return;
                // The window stays, so that "立即关机" can try again.
                if (message)
                    message->setText(shutdownFailedMessage());
                dialogs.showMessage(QStringLiteral("关机命令执行失败！"), QStringLiteral("关机"));
            });
}
