#ifndef SONGFONT_H
#define SONGFONT_H

#include <QFont>

// 宋体 where it is installed, otherwise an installed Song-style font drawn with Simplified
// Chinese glyph forms.
QFont songFont(int pointSize);

#endif // SONGFONT_H
