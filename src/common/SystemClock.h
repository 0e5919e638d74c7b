#pragma once

#include "common/IClock.h"

// The real clock.
class SystemClock : public IClock {
public:
    std::time_t now() const override;
};
