// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/usersettingsstore.h"

#include "platform/settingsstore.h"

#include <QDir>

QString userConfigurationFolder()
{
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative path is to be ignored: it would put the store beside whatever folder the
    // program was started from.
    if (!folder.isEmpty() && QDir::isAbsolutePath(folder))
        return QDir::cleanPath(folder);
    return QDir::homePath() + QStringLiteral("/.config");
}

std::unique_ptr<SettingsStore> userSettingsStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<SettingsStore>(
            QStringLiteral(
                    "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Ormek商人计算器"),
            QSettings::NativeFormat);
#else
    return std::make_unique<SettingsStore>(userConfigurationFolder()
                                                   + QStringLiteral("/Ormek商人计算器.conf"),
                                           QSettings::IniFormat);
#endif
}
