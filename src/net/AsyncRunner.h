#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

// Runs one blocking job on a detached worker thread and hands its result to a
// receiver exactly once. The owner of the receiver (a dialog) may let go of it at
// any time with detach() or by destroying the runner: from then on the worker
// never calls it, so a result that arrives after its dialog has closed is
// dropped instead of touching freed memory.
//
// The receiver runs on the worker thread, under a lock that detach() also takes;
// it should only hand the result on (post it to its window's thread) and must not
// call detach() itself; what it throws is dropped.
template <typename Result> class AsyncRunner {
public:
    using Job = std::function<Result()>;
    using Receiver = std::function<void(Result)>;

    AsyncRunner() = default;
    ~AsyncRunner() { detach(); }
    AsyncRunner(const AsyncRunner&) = delete;
    AsyncRunner& operator=(const AsyncRunner&) = delete;

    // Starts the job. A job that throws, or a thread that cannot be started,
    // delivers a default-constructed Result (a failure).
    void start(Job job, Receiver receiver)
    {
        detach();
        auto channel = std::make_shared<Channel>();
        channel->receiver = std::move(receiver);
        m_channel = channel;
        try {
            std::thread([channel, job = std::move(job)] { channel->deliver(runGuarded(job)); }).detach();
        } catch (const std::system_error&) {
            channel->deliver(Result {});
        }
    }

    // The receiver is never called after this returns; a delivery under way is
    // waited for.
    void detach()
    {
        const std::shared_ptr<Channel> channel = std::exchange(m_channel, nullptr);
        if (!channel)
            return;
        std::lock_guard lock(channel->mutex);
        channel->receiver = nullptr;
    }

private:
    struct Channel {
        std::mutex mutex;
        Receiver receiver;

        void deliver(Result result)
        {
            std::lock_guard lock(mutex);
            if (!receiver)
                return;
            Receiver once = std::move(receiver);
            receiver = nullptr;
            try {
                once(std::move(result));
            } catch (...) {
            }
        }
    };

    static Result runGuarded(const Job& job)
    {
        try {
            return job();
        } catch (...) {
            return Result {};
        }
    }

    std::shared_ptr<Channel> m_channel;
};
