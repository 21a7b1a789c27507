// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TWIPS_H
#define TWIPS_H

#include <QRect>

// The window layouts are drawn in twips, 1/1440 inch: 15 twips to a pixel at 96 dpi.
// Qt scales device-independent pixels for other screens itself.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

#endif // TWIPS_H
