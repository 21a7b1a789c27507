#include "app/songfont.h"

#include <QStringList>

QFont songFont(int pointSize)
{
    QFont font;
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                       QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                       QStringLiteral("AR PL UMing CN") });
    font.setPointSize(pointSize);
    return font;
}
