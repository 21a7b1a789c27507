#ifndef CLOCK_H
#define CLOCK_H

#include <QDateTime>

// The local date and time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

#endif // CLOCK_H
