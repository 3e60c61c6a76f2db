#pragma once
// The time source of the time cursor: a monotonic clock, so changes of the computer's
// clock do not move the cursor.

#include <QtGlobal>

class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 MonotonicMs() const = 0;
};

class SteadyClock final : public Clock {
public:
    qint64 MonotonicMs() const override;
};
