// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SYSTEMSLEEPINHIBITOR_H
#define SYSTEMSLEEPINHIBITOR_H

#include "platform/sleepinhibitor.h"

#include <memory>

// The system's own way to hold off idle sleep: an inhibitor lock of logind, taken by
// systemd-inhibit, on Linux; the thread's execution state on Windows. Holding never waits for
// the system. Released when destroyed.
class SystemSleepInhibitor : public SleepInhibitor
{
public:
    SystemSleepInhibitor();
    ~SystemSleepInhibitor() override;

    void hold() override;
    void release() override;

private:
    struct Lock;
    std::unique_ptr<Lock> m_lock;
};

#endif // SYSTEMSLEEPINHIBITOR_H
