#pragma once

#include "common/IRandomSource.h"

#include <random>

// Random picks seeded from the time and the system's entropy.
class SystemRandomSource : public IRandomSource {
public:
    SystemRandomSource();

    std::size_t pick(std::size_t count) override;

private:
    std::mt19937 m_engine;
};
