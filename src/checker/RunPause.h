#pragma once

#include "common/ISleeper.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

// The pause after each PageRank query of a run: a set time, whatever the query
// asks for, so that scripts and tests can shorten it; cut short when the run is
// stopped, so that Stop does not wait out a pause.
class RunPause : public ISleeper {
public:
    explicit RunPause(std::chrono::milliseconds pause);

    void sleepFor(std::chrono::milliseconds requested) override;

    // Ends a pause in progress and makes every later one return at once.
    void interrupt();

private:
    const std::chrono::milliseconds m_pause;
    std::mutex m_mutex;
    std::condition_variable m_interrupted;
    bool m_isInterrupted = false;
};
