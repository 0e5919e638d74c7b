#pragma once

#include <cstddef>

// The source of random picks (titles, descriptions, keywords), so tests can
// decide what is drawn.
class IRandomSource {
public:
    virtual ~IRandomSource() = default;

    // A number in [0, count); count is at least 1.
    virtual std::size_t pick(std::size_t count) = 0;
};
