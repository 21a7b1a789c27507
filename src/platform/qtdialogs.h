// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTDIALOGS_H
#define QTDIALOGS_H

#include "platform/dialogs.h"

class QtDialogs : public Dialogs
{
public:
    void showMessage(const QString &prompt, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
    int askChoice(const QString &prompt, const QString &title, const QStringList &choices) override;
};

#endif // QTDIALOGS_H
