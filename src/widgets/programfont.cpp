// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/programfont.h"

#include "platform/systemfonts.h"

QFont programFont(const QFont &desktopFont)
{
    const QStringList fallbacks = chineseFallbackFamilies();
    if (fallbacks.isEmpty())
        return desktopFont;
    QFont font = desktopFont;
    font.setFamilies(QStringList { desktopFont.family() } + fallbacks);
    return font;
}
