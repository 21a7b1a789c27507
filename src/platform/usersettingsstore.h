// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef USERSETTINGSSTORE_H
#define USERSETTINGSSTORE_H

#include <QString>
#include <memory>

class SettingsStore;

// The program's store for the user who runs it: on Windows the registry branch where
// GetSetting and SaveSetting keep the values of "Ormek商人计算器", elsewhere the file
// "Ormek商人计算器.conf" in the user's configuration folder.
std::unique_ptr<SettingsStore> userSettingsStore();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, otherwise
// ~/.config.
QString userConfigurationFolder();

#endif // USERSETTINGSSTORE_H
