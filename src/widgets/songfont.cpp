// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/songfont.h"

#include "platform/systemfonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first installed family of the wish list, looked up once. Naming only a family that is
// there spares the font matcher a search for substitutes of each missing one, for every size
// and every script it is asked for. With none installed the whole list is left to the system's
// substitutes where it has them; on Windows the interface font draws instead, as Qt would take
// whichever installed face scores best (under Wine a math font, whose digits did not show).
// The wishes are real family names, looked up in the list of installed ones: hasFamily() would
// first ask fontconfig to resolve each as an alias, some 1,000 allocations a missing name.
QStringList songFamilies()
{
    static const QStringList families = [] {
        const QStringList installed = QFontDatabase::families();
        const QStringList wishes = songFamilyCandidates();
        for (const QString &family : wishes) {
            if (installed.contains(family, Qt::CaseInsensitive))
                return QStringList { family };
        }
        return systemSubstitutesMissingFamilies() ? wishes : QStringList();
    }();
    return families;
}

} // namespace

QFont songFont(int pointSize)
{
    QFont font;
    if (const QStringList families = songFamilies(); !families.isEmpty())
        font.setFamilies(families);
    font.setPointSize(pointSize);
    return font;
}

QFont unshapedSongFont(int pointSize)
{
    // Shaping digits, commas and ideographs changes nothing in this face, but its first use
    // copies the face's large layout tables onto the heap, for every size. Scripts that need
    // shaping are shaped all the same; Latin letters lose their kerning.
    QFont font = songFont(pointSize);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
