// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLOCK_H
#define CLOCK_H

#include <QDateTime>

// The local date and time, and the time that has passed.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // Milliseconds on a clock that only runs forward, untouched when the date and time are
    // set or daylight saving begins or ends; the time the computer sleeps counts where the
    // system can tell.
    virtual qint64 elapsedMilliseconds() const = 0;
};

#endif // CLOCK_H
