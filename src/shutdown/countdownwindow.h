// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef COUNTDOWNWINDOW_H
#define COUNTDOWNWINDOW_H

#include "widgets/tickingwindow.h"

class QLabel;
class QProgressBar;
class QPushButton;
struct Platform;

// The last ten seconds before the computer is shut down. Each tick moves the bar one step
// and tells the seconds left; the tenth starts the shutdown command. "立即关机" starts it at
// once, "取消关机" stops the count and puts this window and the scheduler away.
class CountdownWindow : public TickingWindow
{
    Q_OBJECT

public:
    explicit CountdownWindow(Platform &platform, QWidget *parent = nullptr);

    int secondsLeft() const;

public Q_SLOTS:
    // A fresh count: bar at 0, message empty, timer on.
    void restart();
    void updateCount();
    void shutDownNow();
    void cancel();

Q_SIGNALS:
    // Emitted right before the shutdown command starts; whatever must be kept is saved then.
    void aboutToShutDown();
    // "取消关机" was pressed; the scheduler goes away with this window.
    void cancelled();
    // A second was counted.
    void secondsLeftChanged();

private:
    void startShutdown();

    Platform &m_platform;
    QProgressBar *m_bar = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_shutDownButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

#endif // COUNTDOWNWINDOW_H
