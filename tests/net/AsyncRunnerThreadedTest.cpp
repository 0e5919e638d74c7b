#include "net/AsyncRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>

namespace {

using namespace std::chrono_literals;

// Counts deliveries and lets a test wait for the first.
struct Inbox {
    std::atomic<int> deliveries { 0 };
    std::promise<int> first;

    AsyncRunner<int>::Receiver receiver()
    {
        return [this](int value) {
            if (deliveries++ == 0)
                first.set_value(value);
        };
    }
};

TEST(AsyncRunnerThreaded, DeliversTheResultOnceFromAnotherThread)
{
    Inbox inbox;
    const auto caller = std::this_thread::get_id();
    std::atomic<bool> ranElsewhere { false };
    AsyncRunner<int> runner;
    runner.start(
        [&] {
            ranElsewhere = std::this_thread::get_id() != caller;
            return 42;
        },
        inbox.receiver());
    auto result = inbox.first.get_future();
    ASSERT_EQ(result.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(result.get(), 42);
    EXPECT_TRUE(ranElsewhere);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(inbox.deliveries, 1);
}

TEST(AsyncRunnerThreaded, JobThatThrowsDeliversAFailure)
{
    Inbox inbox;
    AsyncRunner<int> runner;
    runner.start([]() -> int { throw std::runtime_error("no network"); }, inbox.receiver());
    auto result = inbox.first.get_future();
    ASSERT_EQ(result.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(result.get(), 0);
}

TEST(AsyncRunnerThreaded, ReceiverThatLetGoIsNeverCalled)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> jobEnded;
    std::atomic<int> calls { 0 };
    {
        AsyncRunner<int> runner;
        runner.start(
            [released, &jobEnded] {
                released.wait();
                jobEnded.set_value();
                return 1;
            },
            [&calls](int) { ++calls; });
        // The dialog closes while the request still runs.
    }
    release.set_value();
    jobEnded.get_future().wait();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls, 0);
}

TEST(AsyncRunnerThreaded, DetachRacingTheDeliveryCallsAtMostOnceAndNeverAfterwards)
{
    for (int round = 0; round < 200; ++round) {
        auto calls = std::make_shared<std::atomic<int>>(0);
        auto detached = std::make_shared<std::atomic<bool>>(false);
        auto late = std::make_shared<std::atomic<bool>>(false);
        AsyncRunner<int> runner;
        runner.start([round] { return round; },
            [calls, detached, late](int) {
                ++*calls;
                if (*detached)
                    *late = true;
            });
        runner.detach();
        *detached = true;
        EXPECT_LE(*calls, 1);
        EXPECT_FALSE(*late);
    }
}

} // namespace
