// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTTRANSLATION_H
#define QTTRANSLATION_H

// Qt's own texts in Simplified Chinese, whatever the desktop's language, like the rest of the
// program: the context menus of text fields, the standard buttons of boxes, the command line's
// help. From Qt's translations folder (Debian's qt6-translations-l10n); on Windows from beside
// the program, which ships the file. Call after the application object is made. False when the
// file is not found: Qt's texts stay in English.
bool installQtTranslation();

#endif // QTTRANSLATION_H
