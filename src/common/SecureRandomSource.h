#pragma once

#include "common/IRandomSource.h"

// Picks from the system's entropy source, as new passwords need: nobody can
// foresee them from the time or from earlier picks.
class SecureRandomSource : public IRandomSource {
public:
    std::size_t pick(std::size_t count) override;
};
