#include "net/HttpClient.h"

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Runs a request on its own thread and measures how long it took.
std::future<std::pair<bool, Clock::duration>> timedRun(std::function<bool()> request)
{
    return std::async(std::launch::async, [request = std::move(request)] {
        const auto start = Clock::now();
        const bool succeeded = request();
        return std::pair { succeeded, Clock::now() - start };
    });
}

TEST(HttpClientThreaded, TwoFirstRequestsAtOnceBothSucceed)
{
    LoopbackServer server;
    server.serve("/", 200, "hello");
    server.start();
    auto request = [&] {
        std::string out;
        return HttpGetPage(HttpTarget(server.host(), "/"), out) && out == "hello";
    };
    auto first = std::async(std::launch::async, request);
    auto second = std::async(std::launch::async, request);
    EXPECT_TRUE(first.get());
    EXPECT_TRUE(second.get());
}

TEST(HttpClientThreaded, SlowAnswerFailsEveryFormAfterTheReceiveTimeout)
{
    SilentServer silent;
    setHttpTimeouts({ 1s, 1s });
    const HttpTarget target(silent.host(), "/");
    // HttpGetTimed sets its own ten seconds; the test below covers it.
    std::vector<std::future<std::pair<bool, Clock::duration>>> runs;
    runs.push_back(timedRun([&] {
        std::string out;
        return HttpGetPage(target, out) || !out.empty();
    }));
    runs.push_back(timedRun([&] {
        std::string out;
        return HttpGetToFile(target, out, false) || !out.empty();
    }));
    runs.push_back(timedRun([&] {
        std::string out;
        return HttpPostForm(target, "a=1", out, false) || !out.empty();
    }));
    runs.push_back(timedRun([&] {
        std::string out;
        return HttpGetChecked(target, out) || !out.empty();
    }));
    for (auto& run : runs) {
        const auto [succeededOrRead, took] = run.get();
        EXPECT_FALSE(succeededOrRead);
        EXPECT_GE(took, 900ms);
        EXPECT_LE(took, 5s);
    }
}

// The one slow test: a server that takes the connection but never answers.
TEST(HttpClientThreaded, AfterOneTimedRequestSilentServersAreLeftAfterTenSeconds)
{
    LoopbackServer server;
    server.serve("/", 200, "alive");
    server.start();
    std::string out;
    ASSERT_TRUE(HttpGetTimed(HttpTarget(server.host(), "/"), out));

    SilentServer silent;
    auto page = timedRun([&] {
        std::string text;
        return HttpGetPage(HttpTarget(silent.host(), "/"), text);
    });
    auto timed = timedRun([&] {
        std::string text;
        return HttpGetTimed(HttpTarget(silent.host(), "/"), text);
    });
    for (auto* run : { &page, &timed }) {
        const auto [succeeded, took] = run->get();
        EXPECT_FALSE(succeeded);
        EXPECT_GE(took, 9s);
        EXPECT_LE(took, 15s);
    }
}

} // namespace
