// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemfonts.h"

QStringList songFamilyCandidates()
{
#ifdef Q_OS_WIN
    return { QStringLiteral("SimSun"), QStringLiteral("NSimSun") };
#else
    return { QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
             QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
             QStringLiteral("AR PL UMing CN") };
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
