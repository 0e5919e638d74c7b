#pragma once

#include <cstddef>
#include <random>

// The source of random picks (titles, descriptions, keywords), so tests can
// decide what is drawn.
class IRandomSource {
public:
    virtual ~IRandomSource() = default;

    // A number in [0, count); count is at least 1.
    virtual std::size_t pick(std::size_t count) = 0;
};

// Random picks seeded from the time and the system's entropy.
class SystemRandomSource : public IRandomSource {
public:
    SystemRandomSource();

    std::size_t pick(std::size_t count) override;

private:
    std::mt19937 m_engine;
};
