#pragma once

#include <QObject>

#include <functional>
#include <mutex>

// Hands work from worker threads to the thread of a window (or any QObject):
// each posted piece of work runs later on that thread. The window closes the
// relay before it goes away; work posted after that is dropped, and work still
// queued goes with the window.
class WindowRelay {
public:
    explicit WindowRelay(QObject* receiver);
    WindowRelay(const WindowRelay&) = delete;
    WindowRelay& operator=(const WindowRelay&) = delete;

    // Safe from any thread.
    void post(std::function<void()> work);
    // Called on the receiver's thread before it is destroyed.
    void close();

private:
    std::mutex m_mutex;
    QObject* m_receiver;
};
