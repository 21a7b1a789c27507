// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QTCLIPBOARD_H
#define QTCLIPBOARD_H

#include "platform/clipboard.h"

class QtClipboard : public Clipboard
{
public:
    void setText(const QString &text) override;
};

#endif // QTCLIPBOARD_H
