// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SHUTDOWNCOMMAND_H
#define SHUTDOWNCOMMAND_H

#include <QString>
#include <QStringList>

struct ShutdownCommand
{
    QString program;
    QStringList arguments;
};

// The operating system's command that shuts the computer down at once. The program is named
// without a folder, so that it is looked up on PATH.
ShutdownCommand shutdownCommand();

#endif // SHUTDOWNCOMMAND_H
