// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemclock.h"

#if defined(Q_OS_LINUX)
#include <time.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#else
#include <QElapsedTimer>
#endif

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::elapsedMilliseconds() const
{
#if defined(Q_OS_LINUX)
    // Unlike CLOCK_MONOTONIC, it goes on while the computer is suspended.
    timespec time = {};
    clock_gettime(CLOCK_BOOTTIME, &time);
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
#elif defined(Q_OS_WIN)
    // Counts the time asleep too.
    return qint64(GetTickCount64());
#else
    static QElapsedTimer started;
    if (!started.isValid())
        started.start();
    return started.elapsed();
#endif
}
