#include "common/Sleeper.h"

#include <thread>

void SystemSleeper::sleepFor(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}
