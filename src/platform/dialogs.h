// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DIALOGS_H
#define DIALOGS_H

#include <QString>
#include <QStringList>

// The program's modal boxes. All show their texts literally, never as rich text.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message with a single OK button and no icon; returns when it is dismissed.
    virtual void showMessage(const QString &prompt, const QString &title) = 0;

    // A one-line question with an empty field. Returns the typed text, or the empty
    // text when the box is cancelled or closed.
    virtual QString askText(const QString &prompt, const QString &title) = 0;

    // A question answered by one of the buttons named by choices, left to right. Returns the
    // index of the button chosen; the last is also the answer of Esc and of the close button.
    virtual int askChoice(const QString &prompt, const QString &title,
                          const QStringList &choices) = 0;
};

#endif // DIALOGS_H
