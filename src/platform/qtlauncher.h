// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTLAUNCHER_H
#define QTLAUNCHER_H

#include "platform/launcher.h"

class QtLauncher : public Launcher
{
public:
    void start(const QString &program, const QStringList &arguments, Outcome outcome) override;
    bool openUrl(const QUrl &url) override;
};

#endif // QTLAUNCHER_H
