// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SONGFONT_H
#define SONGFONT_H

#include <QFont>

// 宋体 where it is installed, otherwise an installed Song-style font drawn with Simplified
// Chinese glyph forms; on Windows without one, the interface font.
QFont songFont(int pointSize);

// The same, drawn without text shaping, for texts of digits, commas and ideographs, which look
// the same either way.
QFont unshapedSongFont(int pointSize);

#endif // SONGFONT_H
