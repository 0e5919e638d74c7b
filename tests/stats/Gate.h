#pragma once

#include <atomic>
#include <future>

// Holds a loopback server's answers back until opened; opens at the latest when
// it goes, so that a failing test never leaves a server waiting.
class Gate {
public:
    ~Gate() { open(); }

    void open()
    {
        if (!m_opened.exchange(true))
            m_promise.set_value();
    }

    // What a server's handler waits on; a copy, as handlers may outlive the gate.
    std::shared_future<void> opened() const { return m_openedFuture; }

private:
    std::promise<void> m_promise;
    std::shared_future<void> m_openedFuture = m_promise.get_future().share();
    std::atomic<bool> m_opened { false };
};
