// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PROGRAMFONT_H
#define PROGRAMFONT_H

#include <QFont>

// The desktop's font, with Chinese drawn from a Simplified Chinese font whatever the locale.
QFont programFont(const QFont &desktopFont);

#endif // PROGRAMFONT_H
