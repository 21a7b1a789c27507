#ifndef FAKECLOCK_H
#define FAKECLOCK_H

#include "platform/clock.h"

// A clock that stands still until a test moves it. Setting current alone steps the date and
// time as a user or a time server would, without any time passing.
class FakeClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    qint64 elapsedMilliseconds() const override { return elapsed; }
    void advance(int seconds)
    {
        current = current.addSecs(seconds);
        elapsed += seconds * qint64(1000);
    }

    QDateTime current { QDate(2026, 12, 6), QTime(10, 0, 0) };
    qint64 elapsed = 123456789;
};

#endif // FAKECLOCK_H
