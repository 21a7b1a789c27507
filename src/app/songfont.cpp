#include "app/songfont.h"

#include "platform/systemfonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first installed family of the wish list, looked up once. Naming only a family that is
// there spares the font matcher a search for substitutes of each missing one, for every size
// and every script it is asked for. With none installed the whole list is left to the matcher.
QStringList songFamilies()
{
    static const QStringList families = [] {
        const QStringList wishes = songFamilyCandidates();
        for (const QString &family : wishes) {
            if (QFontDatabase::hasFamily(family))
                return QStringList { family };
        }
        return wishes;
    }();
    return families;
}

} // namespace

QFont songFont(int pointSize)
{
    QFont font;
    font.setFamilies(songFamilies());
    font.setPointSize(pointSize);
    return font;
}
