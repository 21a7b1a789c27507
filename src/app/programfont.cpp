#include "app/programfont.h"

#include <QStringList>

QFont programFont(const QFont &desktopFont)
{
    QFont font = desktopFont;
    font.setFamilies({ desktopFont.family(), QStringLiteral("Noto Sans CJK SC"),
                       QStringLiteral("Source Han Sans SC"),
                       QStringLiteral("WenQuanYi Micro Hei") });
    return font;
}
