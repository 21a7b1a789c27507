// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/countdowntext.h"

QString countdownMessage(int position)
{
    // The comma is the narrow one.
    return QStringLiteral("您设置的时间已到,计算机将于")
            + QString::number(countdownLength - position) + QStringLiteral("秒后关闭");
}

QString shuttingDownMessage()
{
    return QStringLiteral("计算机正在关闭！");
}

QString shutdownFailedMessage()
{
    return QStringLiteral("关机失败！");
}
