// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QUEUEDCHECK_H
#define QUEUEDCHECK_H

#include <QObject>
#include <functional>

// Runs a check once the handler at work has finished, when every window it touched is in its
// final state, however often the check was asked for meanwhile: by checkLater(), or by the
// hiding or the destruction of what it watches.
class QueuedCheck : public QObject
{
    Q_OBJECT

public:
    QueuedCheck(std::function<void()> check, QObject *parent);

    void checkLater();

    // Asks for the check when the window is hidden or destroyed; given the application
    // object, when any window is hidden.
    void watch(QObject *window);
    void unwatch(QObject *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_check;
    bool m_pending = false;
};

#endif // QUEUEDCHECK_H
