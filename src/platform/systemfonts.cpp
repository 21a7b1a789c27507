// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemfonts.h"

QStringList songFamilyCandidates()
{
#ifdef Q_OS_WIN
    // Windows' own, then Song fonts a player may have added, which Wine finds on Linux too.
    return { QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
             QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC") };
#else
    return { QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
             QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
             QStringLiteral("AR PL UMing CN") };
#endif
}

bool systemSubstitutesMissingFamilies()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

QStringList chineseFallbackFamilies()
{
#ifdef Q_OS_WIN
    // Windows links its Chinese fonts to the interface font itself.
    return {};
#else
    // Left to itself, fontconfig picks the Japanese glyph forms outside a Chinese locale.
    return { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
             QStringLiteral("WenQuanYi Micro Hei") };
#endif
}
