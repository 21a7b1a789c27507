// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtTranslation()
{
#ifdef Q_OS_WIN
    // The packages ship it beside the program, with Qt's DLLs.
    const QString folder = QCoreApplication::applicationDirPath();
#else
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_zh_CN"), folder)
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
