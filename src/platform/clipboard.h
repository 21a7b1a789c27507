// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLIPBOARD_H
#define CLIPBOARD_H

#include <QString>

class Clipboard
{
public:
    virtual ~Clipboard() = default;

    // Replaces everything the clipboard held by this plain text.
    virtual void setText(const QString &text) = 0;
};

#endif // CLIPBOARD_H
