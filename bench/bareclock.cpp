// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The bare window with one line of Chinese text in the default font, laid out as Qt windows
// usually are, and kept up to date like the calculator's clock line: redrawn every second,
// with a second timer ticking every 500 ms. The least that a program showing Chinese pays for
// fonts before its window appears, and for a clock line while it waits.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window with a clock line"));
    window.setFixedSize(245, 373);
    auto *layout = new QVBoxLayout(&window);
    auto *clock = new QLabel(QStringLiteral("欢迎使用！"));
    clock->setAlignment(Qt::AlignCenter);
    // As in the calculator, a new text repaints the line and asks for no new layout.
    clock->setFixedSize(229, 17);
    layout->addWidget(clock, 0, Qt::AlignTop);

    QTimer clockTimer;
    QObject::connect(&clockTimer, &QTimer::timeout, clock, [clock] {
        clock->setText(QStringLiteral("系统时间：")
                       + QDateTime::currentDateTime().toString(QStringLiteral("yyyy/M/d H:mm:ss")));
    });
    clockTimer.start(1000);
    QTimer tick;
    tick.start(500);

    window.show();
    return app.exec();
}
