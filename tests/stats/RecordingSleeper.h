#pragma once

#include "common/ISleeper.h"

#include <mutex>
#include <vector>

// The test double of the sleeper: notes every pause it is asked for and returns
// at once. Safe to share between threads.
class RecordingSleeper : public ISleeper {
public:
    void sleepFor(std::chrono::milliseconds duration) override
    {
        std::lock_guard lock(m_mutex);
        m_pauses.push_back(static_cast<int>(duration.count()));
    }

    // The pauses asked for so far, in milliseconds.
    std::vector<int> pauses() const
    {
        std::lock_guard lock(m_mutex);
        return m_pauses;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<int> m_pauses;
};
