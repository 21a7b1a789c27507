// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TICKINGWINDOW_H
#define TICKINGWINDOW_H

#include <QWidget>

class QTimer;

// A window whose work runs on a timer of one second, "Timer1": the window runs while its timer
// does, and tells each start and stop. Closing the window through its frame stops the timer,
// so that no tick comes between the close and the deletion.
class TickingWindow : public QWidget
{
    Q_OBJECT

public:
    bool isRunning() const;

Q_SIGNALS:
    // The work started or stopped.
    void runningChanged();

protected:
    explicit TickingWindow(QWidget *parent = nullptr);

    // The timer, whose timeout is the tick.
    QTimer *ticker() const { return m_ticker; }
    void startTicking();
    void stopTicking();

    void closeEvent(QCloseEvent *event) override;

private:
    QTimer *m_ticker = nullptr;
};

#endif // TICKINGWINDOW_H
