// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SYSTEMCLOCK_H
#define SYSTEMCLOCK_H

#include "platform/clock.h"

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
    qint64 elapsedMilliseconds() const override;
};

#endif // SYSTEMCLOCK_H
