// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef INPUTDIALOG_H
#define INPUTDIALOG_H

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// A prompt, an empty one-line field, and OK and Cancel. Unlike QInputDialog it never
// reads its prompt as rich text, so item names show exactly as typed. A text longer than the
// field holds is not cut silently: the box says so, and OK waits until it is shorter.
class InputDialog : public QDialog
{
    Q_OBJECT

public:
    InputDialog(const QString &prompt, const QString &title, QWidget *parent = nullptr);

    QString text() const;

    // The longest text the box gives back.
    static constexpr int longestText = 32767;

private:
    void checkLength();

    QLineEdit *m_field;
    QLabel *m_tooLong;
    QPushButton *m_okButton;
};

#endif // INPUTDIALOG_H
