// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SYSTEMFONTS_H
#define SYSTEMFONTS_H

#include <QStringList>

// The font families the program asks for, by system.

// Families that draw 宋体, in order of preference.
QStringList songFamilyCandidates();

// Families to draw Chinese with in the desktop's own font, in order of preference; empty where
// the desktop's font draws Simplified Chinese by itself.
QStringList chineseFallbackFamilies();

#endif // SYSTEMFONTS_H
