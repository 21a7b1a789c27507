// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef HELPWINDOW_H
#define HELPWINDOW_H

#include <QCoreApplication>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
struct Platform;

// Usage and safety notes, the download address as a link, a button that copies the address
// and one that puts the window away. The safety note gives the size of the program file, the
// running program's own unless another file is named.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(Platform &platform,
                        const QString &programFile = QCoreApplication::applicationFilePath(),
                        QWidget *parent = nullptr);

public Q_SLOTS:
    void copyAddress();
    void openAddress();

private:
    Platform &m_platform;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_copyButton = nullptr;
};

#endif // HELPWINDOW_H
