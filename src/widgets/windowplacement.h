// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINDOWPLACEMENT_H
#define WINDOWPLACEMENT_H

class QWidget;

// Moves a top-level window, at its present size, to the centre of its screen's free area.
void centreOnScreen(QWidget *window);

#endif // WINDOWPLACEMENT_H
