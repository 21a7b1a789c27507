// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <functional>

// A call from a later start of the program to a copy of the same user that is running
// already, where the system offers a way. No other user's copy can listen or call.
class SingleInstance
{
public:
    virtual ~SingleInstance() = default;

    // Calls the copy that listens. True when one was reached.
    virtual bool call() = 0;

    // From now on each call reaching this copy runs called, until stopListening(). False, and
    // nothing changes, when another copy listens already. Where no call could reach this copy,
    // it says so on standard error, and returns true.
    virtual bool listen(std::function<void()> called) = 0;
    virtual void stopListening() = 0;
};

#endif // SINGLEINSTANCE_H
