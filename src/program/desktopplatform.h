// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DESKTOPPLATFORM_H
#define DESKTOPPLATFORM_H

#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qttrayandtaskbar.h"
#include "platform/settingsstore.h"
#include "platform/systemclock.h"
#include "platform/systemsingleinstance.h"
#include "platform/systemsleepinhibitor.h"
#include "platform/usersettingsstore.h"

#include <memory>

// The real services of the desktop the program runs on.
struct DesktopPlatform
{
    std::unique_ptr<SettingsStore> store = userSettingsStore();
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    SystemSleepInhibitor sleepInhibitor;
    QtTrayAndTaskbar trayAndTaskbar;
    SystemSingleInstance singleInstance;
    Platform platform { *store, dialogs,        launcher,       clipboard,
                        clock,  sleepInhibitor, trayAndTaskbar, singleInstance };
};

#endif // DESKTOPPLATFORM_H
