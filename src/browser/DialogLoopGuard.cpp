#include "browser/DialogLoopGuard.h"

DialogLoopGuard::Decision DialogLoopGuard::opening(std::string_view site, std::chrono::milliseconds now)
{
    if (site != m_site) {
        m_site = site;
        m_prevented = false;
        m_hasClosed = false;
    }
    if (m_prevented)
        return { false, false };
    return { true, m_hasClosed && now - m_lastClosed < kLoopDelay };
}

void DialogLoopGuard::closed(std::chrono::milliseconds now, bool prevent)
{
    m_hasClosed = true;
    m_lastClosed = now;
    m_prevented = m_prevented || prevent;
}
