// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TEXTCOLOUR_H
#define TEXTCOLOUR_H

class QColor;
class QWidget;

// Draws the widget's text (a label's, a frame's caption) in the colour, in every state. A
// palette rather than a style sheet: a style sheet would route all the widget's painting
// through the style sheet style.
void setTextColour(QWidget *widget, const QColor &colour);

#endif // TEXTCOLOUR_H
