// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/shutdowncommand.h"

ShutdownCommand shutdownCommand()
{
#ifdef Q_OS_WIN
    return { QStringLiteral("shutdown"),
             { QStringLiteral("-s"), QStringLiteral("-t"), QStringLiteral("0") } };
#else
    // An active local user may power off through systemd without a password.
    return { QStringLiteral("systemctl"), { QStringLiteral("poweroff") } };
#endif
}
