#pragma once

#include "common/ISleeper.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

// The pauses of a run, cut short when the run is stopped, so that Stop does not
// wait out a pause. The toolbar query's pause after each query is a set time,
// whatever the query asks for, so that scripts and tests can shorten it; the
// waits a service asks for (a rate limit) last as long as asked.
class RunPause : public ISleeper {
public:
    // Every pause lasts the set time.
    explicit RunPause(std::chrono::milliseconds pause);
    // Every pause lasts as long as asked.
    RunPause();

    void sleepFor(std::chrono::milliseconds requested) override;

    // Ends a pause in progress and makes every later one return at once.
    void interrupt();

private:
    const std::optional<std::chrono::milliseconds> m_pause;
    std::mutex m_mutex;
    std::condition_variable m_interrupted;
    bool m_isInterrupted = false;
};
