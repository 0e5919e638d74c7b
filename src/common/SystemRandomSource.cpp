#include "common/SystemRandomSource.h"

#include <ctime>

SystemRandomSource::SystemRandomSource()
    : m_engine(std::random_device {}() ^ static_cast<unsigned>(std::time(nullptr)))
{
}

std::size_t SystemRandomSource::pick(std::size_t count)
{
    if (count <= 1)
        return 0;
    std::uniform_int_distribution<std::size_t> distribution(0, count - 1);
    return distribution(m_engine);
}
