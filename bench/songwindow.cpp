// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The window with Chinese text (chinesewindow.cpp) in the calculator's fonts: the desktop's font
// with its Simplified Chinese fallback for the label and the button, the Song font at 12 points
// for the line edit, and a bold Song line at 15 points such as the total. What the calculator's
// look costs before any of the calculator's own work.
#include "widgets/programfont.h"
#include "widgets/songfont.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(programFont(QApplication::font()));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window with Chinese text in the Song font"));
    window.setFixedSize(245, 373);
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit;
    edit->setFont(unshapedSongFont(12));
    layout->addWidget(edit);
    layout->addWidget(new QLabel(QStringLiteral("欢迎使用！")));
    layout->addWidget(new QPushButton(QStringLiteral("灵魂灾难")));
    auto *total = new QLabel(QStringLiteral("0"));
    QFont bold = unshapedSongFont(15);
    bold.setBold(true);
    total->setFont(bold);
    layout->addWidget(total);
    layout->addStretch();
    window.show();
    return app.exec();
}
