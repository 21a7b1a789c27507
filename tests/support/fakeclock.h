#ifndef FAKECLOCK_H
#define FAKECLOCK_H

#include "platform/clock.h"

// A clock that stands still until a test moves it.
class FakeClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    void advance(int seconds) { current = current.addSecs(seconds); }

    QDateTime current { QDate(2026, 12, 6), QTime(10, 0, 0) };
};

#endif // FAKECLOCK_H
