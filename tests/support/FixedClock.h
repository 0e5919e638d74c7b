#pragma once

#include "common/IClock.h"

// A clock that always tells the same time, for dates written by the code under test.
class FixedClock : public IClock {
public:
    explicit FixedClock(std::time_t time)
        : m_time(time)
    {
    }

    std::time_t now() const override { return m_time; }

private:
    std::time_t m_time;
};
