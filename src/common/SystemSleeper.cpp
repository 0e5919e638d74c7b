#include "common/SystemSleeper.h"

#include <thread>

void SystemSleeper::sleepFor(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}
