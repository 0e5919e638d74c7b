#pragma once

#include "common/ISleeper.h"

// Really waits.
class SystemSleeper : public ISleeper {
public:
    void sleepFor(std::chrono::milliseconds duration) override;
};
