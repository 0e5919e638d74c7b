#include "common/SecureRandomSource.h"

#include <random>

std::size_t SecureRandomSource::pick(std::size_t count)
{
    if (count <= 1)
        return 0;
    // std::random_device reads the kernel's generator on Linux.
    std::random_device device;
    std::uniform_int_distribution<std::size_t> distribution(0, count - 1);
    return distribution(device);
}
