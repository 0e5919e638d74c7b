#include "stats/RequestBudget.h"

#include "common/ISleeper.h"

#include <algorithm>

RequestBudget::RequestBudget(std::size_t limit, std::chrono::milliseconds period, Now now)
    : m_limit(std::max<std::size_t>(limit, 1))
    , m_period(period)
    , m_now(now ? std::move(now) : Now([] { return Clock::now(); }))
{
}

void RequestBudget::take(ISleeper& sleeper)
{
    // One caller at a time: a waiting caller holds the others back, which is
    // what the limit asks for anyway.
    std::lock_guard lock(m_mutex);
    Clock::time_point now = m_now();
    if (now < m_heldUntil) {
        sleeper.sleepFor(std::chrono::ceil<std::chrono::milliseconds>(m_heldUntil - now));
        now = m_now();
    }
    while (!m_recent.empty() && now - m_recent.front() >= m_period)
        m_recent.pop_front();
    if (m_recent.size() >= m_limit) {
        const Clock::time_point free = m_recent[m_recent.size() - m_limit] + m_period;
        if (free > now)
            sleeper.sleepFor(std::chrono::ceil<std::chrono::milliseconds>(free - now));
        now = std::max(m_now(), free);
        while (!m_recent.empty() && now - m_recent.front() >= m_period)
            m_recent.pop_front();
    }
    m_recent.push_back(now);
    ++m_taken;
}

void RequestBudget::holdFor(std::chrono::milliseconds delay)
{
    std::lock_guard lock(m_mutex);
    m_heldUntil = std::max(m_heldUntil, m_now() + delay);
}

std::size_t RequestBudget::taken() const
{
    std::lock_guard lock(m_mutex);
    return m_taken;
}
