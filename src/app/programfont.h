#ifndef PROGRAMFONT_H
#define PROGRAMFONT_H

#include <QFont>

// The desktop's font, with Chinese drawn from a Simplified Chinese font whatever the locale.
QFont programFont(const QFont &desktopFont);

#endif // PROGRAMFONT_H
