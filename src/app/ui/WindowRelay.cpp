#include "app/ui/WindowRelay.h"

WindowRelay::WindowRelay(QObject* receiver)
    : m_receiver(receiver)
{
}

void WindowRelay::post(std::function<void()> work)
{
    // Under the lock the receiver cannot be destroyed: its owner closes the relay first.
    std::lock_guard lock(m_mutex);
    if (m_receiver)
        QMetaObject::invokeMethod(m_receiver, std::move(work), Qt::QueuedConnection);
}

void WindowRelay::close()
{
    std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}
