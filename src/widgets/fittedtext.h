// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FITTEDTEXT_H
#define FITTEDTEXT_H

#include <QFont>
#include <QString>

// A text as a control with no room to spare shows it.
struct FittedText
{
    int pointSize = 0;
    // The whole text, or its two ends joined by "…".
    QString text;
    bool elided = false;
};

// The largest point size, from the font's own down to minimumPointSize, at which the whole text
// is at most width pixels wide; failing that, the text elided in the middle at minimumPointSize.
// Only the characters that could ever show are measured, however long the text.
FittedText fitText(const QString &text, const QFont &font, int width, int minimumPointSize);

// A tooltip that shows the text as written, also where it looks like markup: the whole of an
// elided text.
QString plainToolTip(const QString &text);

#endif // FITTEDTEXT_H
