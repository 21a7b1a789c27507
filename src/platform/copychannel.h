// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef COPYCHANNEL_H
#define COPYCHANNEL_H

#include <functional>

// A call from a later start of the program to a copy of the same user that is running
// already, where the system offers a way. No other user's copy can listen or call.
class CopyChannel
{
public:
    virtual ~CopyChannel() = default;

    // Calls the copy that listens. True when one was reached.
    virtual bool call() = 0;

    // From now on each call reaching this copy runs called, until stopListening().
    virtual void listen(std::function<void()> called) = 0;
    virtual void stopListening() = 0;
};

#endif // COPYCHANNEL_H
