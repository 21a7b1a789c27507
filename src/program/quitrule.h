// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef QUITRULE_H
#define QUITRULE_H

#include "program/queuedcheck.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Decides when the program ends: once the main window is gone, as soon as no watched window is
// visible and none has work running. Hidden windows do not count, so nothing is left running
// where the user cannot see it, except a schedule that is meant to fire unattended.
//
// It asks its quit callback rather than ending the event loop itself, at most once.
class QuitRule : public QObject
{
    Q_OBJECT

public:
    // Whether a window has work running that must go on while it is hidden.
    using Busy = std::function<bool()>;

    explicit QuitRule(std::function<void()> quit, QObject *parent = nullptr);

    // The program lives at least as long as this window exists.
    void setMainWindow(QWidget *window);

    // A window that keeps the program alive while it is visible or busy.
    void watch(QWidget *window, Busy busy = {});

    // Nothing keeps the program alive any more.
    bool canQuit() const;

public Q_SLOTS:
    // Quits when nothing keeps the program alive.
    void check();

private:
    struct Watched
    {
        QPointer<QWidget> window;
        Busy busy;
    };

    std::function<void()> m_quit;
    QueuedCheck *m_check;
    QPointer<QWidget> m_mainWindow;
    bool m_hadMainWindow = false;
    bool m_quitRequested = false;
    QList<Watched> m_windows;
};

#endif // QUITRULE_H
