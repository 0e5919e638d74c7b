#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

class ISleeper;

// A client-side limit of requests in a sliding period, so that a long run stays
// within what a service allows: before each request the caller takes one from
// the budget, which waits (through the sleeper) until one more fits. A server's
// own request to wait (Retry-After) holds every later request until then.
class RequestBudget {
public:
    using Clock = std::chrono::steady_clock;
    // The current time; tests give one that their sleeper moves on.
    using Now = std::function<Clock::time_point()>;

    // `limit` requests in any `period`; the system's steady clock when `now` is empty.
    RequestBudget(std::size_t limit, std::chrono::milliseconds period, Now now = {});

    // Waits until one more request fits, then counts it.
    void take(ISleeper& sleeper);
    // No request before `delay` from now has passed.
    void holdFor(std::chrono::milliseconds delay);
    // How many requests have been counted in all.
    std::size_t taken() const;

private:
    const std::size_t m_limit;
    const std::chrono::milliseconds m_period;
    const Now m_now;
    mutable std::mutex m_mutex;
    std::deque<Clock::time_point> m_recent;
    Clock::time_point m_heldUntil {};
    std::size_t m_taken = 0;
};
