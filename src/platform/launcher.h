// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LAUNCHER_H
#define LAUNCHER_H

#include <QString>
#include <QStringList>
#include <functional>

class QUrl;

// Starts other programs without waiting for them.
class Launcher
{
public:
    using Outcome = std::function<void(bool succeeded)>;

    virtual ~Launcher() = default;

    // Starts program, looked up on PATH, with arguments. Later, on the event loop, outcome
    // learns whether it started and exited with status 0.
    virtual void start(const QString &program, const QStringList &arguments, Outcome outcome) = 0;

    // Opens the address in the desktop's web browser; false when nothing could be started.
    virtual bool openUrl(const QUrl &url) = 0;
};

#endif // LAUNCHER_H
