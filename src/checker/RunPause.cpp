#include "checker/RunPause.h"

RunPause::RunPause(std::chrono::milliseconds pause)
    : m_pause(pause)
{
}

RunPause::RunPause() = default;

void RunPause::sleepFor(std::chrono::milliseconds requested)
{
    std::unique_lock lock(m_mutex);
    m_interrupted.wait_for(lock, m_pause.value_or(requested), [this] { return m_isInterrupted; });
}

void RunPause::interrupt()
{
    {
        std::lock_guard lock(m_mutex);
        m_isInterrupted = true;
    }
    m_interrupted.notify_all();
}
