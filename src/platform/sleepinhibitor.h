// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SLEEPINHIBITOR_H
#define SLEEPINHIBITOR_H

// Keeps the computer from falling asleep when it is left idle, while held. Where the system
// cannot be asked, holding does nothing.
class SleepInhibitor
{
public:
    virtual ~SleepInhibitor() = default;

    // Holding what is held already changes nothing.
    virtual void hold() = 0;
    virtual void release() = 0;
};

#endif // SLEEPINHIBITOR_H
