#include "checker/RunPause.h"

RunPause::RunPause(std::chrono::milliseconds pause)
    : m_pause(pause)
{
}

void RunPause::sleepFor(std::chrono::milliseconds)
{
    std::unique_lock lock(m_mutex);
    m_interrupted.wait_for(lock, m_pause, [this] { return m_isInterrupted; });
}

void RunPause::interrupt()
{
    {
        std::lock_guard lock(m_mutex);
        m_isInterrupted = true;
    }
    m_interrupted.notify_all();
}
