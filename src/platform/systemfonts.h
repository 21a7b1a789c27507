// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SYSTEMFONTS_H
#define SYSTEMFONTS_H

#include <QStringList>

// The font families the program asks for, by system.

// Families that draw 宋体, in order of preference.
QStringList songFamilyCandidates();

// Whether the system puts an installed font of the kind in place of a family that is missing
// (fontconfig's aliases). Where it does not, Qt takes whichever installed face scores best.
bool systemSubstitutesMissingFamilies();

// Families to draw Chinese with in the desktop's own font, in order of preference; empty where
// the desktop's font draws Simplified Chinese by itself.
QStringList chineseFallbackFamilies();

#endif // SYSTEMFONTS_H
