// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference for start-up and memory: the bare window with a few everyday controls showing
// Chinese in the default font, a line edit, a label and a button, laid out as Qt windows
// usually are. What any Qt program that shows a little Chinese pays before its window appears.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window with Chinese text"));
    window.setFixedSize(245, 373);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QLabel(QStringLiteral("欢迎使用！")));
    layout->addWidget(new QPushButton(QStringLiteral("灵魂灾难")));
    layout->addStretch();
    window.show();
    return app.exec();
}
