// Learning a whole list on worker threads: every directory once, a summary at
// the end, and a cancel that ends the run soon and keeps what was learned.

#include "TestSites.h"

#include "custom/DirectoryLearningRun.h"
#include "net/LoopbackServer.h"
#include "stats/Gate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

using ::testing::UnorderedElementsAre;

namespace {

using namespace std::chrono_literals;

DiscoveryLimits quickLimits()
{
    DiscoveryLimits limits;
    limits.page.timeouts = { 2s, 2s };
    limits.page.total = 30s;
    return limits;
}

// Takes the run's calls as a window would, waiting for the end.
class RecordingListener : public DirectoryLearningRun::IListener {
public:
    void onLesson(std::size_t position, const DirectoryLesson& lesson) override
    {
        std::lock_guard lock(m_mutex);
        m_lessons.emplace_back(position, lesson.outcome);
        m_changed.notify_all();
    }

    void onRunEnded(const LearningSummary& summary) override
    {
        std::lock_guard lock(m_mutex);
        m_ends.push_back(summary);
        m_changed.notify_all();
    }

    bool waitForLessons(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 30s, [&] { return m_lessons.size() >= count; });
    }

    bool waitForEnd()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 30s, [&] { return !m_ends.empty(); });
    }

    std::vector<std::pair<std::size_t, DirectoryLesson::Outcome>> lessons() const
    {
        std::lock_guard lock(m_mutex);
        return m_lessons;
    }

    std::vector<LearningSummary> ends() const
    {
        std::lock_guard lock(m_mutex);
        return m_ends;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<std::size_t, DirectoryLesson::Outcome>> m_lessons;
    std::vector<LearningSummary> m_ends;
};

// A page that sends a space every tenth of a second, for ever.
void serveTrickle(LoopbackServer& server)
{
    server.handle("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/html", [](std::size_t, httplib::DataSink& sink) {
            std::this_thread::sleep_for(100ms);
            return sink.write(" ", 1);
        });
    });
    server.start();
}

TEST(DirectoryLearningRunThreadedTest, LearnsEveryDirectoryOnceAndSumsUp)
{
    std::map<std::string, std::unique_ptr<LoopbackServer>> servers;
    std::vector<ListedDirectory> directories;
    for (const char* name : { "menu", "german", "none", "decoys" }) {
        auto& server = servers[name];
        server = std::make_unique<LoopbackServer>();
        serveTestSite(*server, name);
        directories.push_back({ name, server->url("/") });
    }
    directories.push_back({ "Gone", "http://127.0.0.1:" + std::to_string(refusedPort()) + "/" });

    RecordingListener listener;
    DirectoryLearningRun run(directories, DirectoryLearner(quickLimits()), &listener, 3);
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(listener.waitForEnd());
    using Outcome = DirectoryLesson::Outcome;
    EXPECT_THAT(listener.lessons(),
        UnorderedElementsAre(std::pair(0u, Outcome::Learned), std::pair(1u, Outcome::Learned),
            std::pair(2u, Outcome::NoForm), std::pair(3u, Outcome::Learned),
            std::pair(4u, Outcome::Unreachable)));
    const LearningSummary expected { 5, 5, 3, 1, 1 };
    EXPECT_EQ(listener.ends(), std::vector<LearningSummary> { expected });
    EXPECT_EQ(run.summary(), expected);
    EXPECT_EQ(learningSummaryText(expected),
        "Learned 3 of 5 directories; 1 without a submission form; 1 could not be reached");
    EXPECT_EQ(
        learningSummaryText({ 4, 4, 3, 1, 0 }), "Learned 3 of 4 directories; 1 without a submission form");
    run.close();
    EXPECT_EQ(listener.ends().size(), 1u);
}

TEST(DirectoryLearningRunThreadedTest, OneHostGetsOneRequestAtATime)
{
    // Several directories on one host, learned by several workers: the server must
    // never see two requests under way at once.
    LoopbackServer server;
    std::mutex mutex;
    int underWay = 0;
    int most = 0;
    server.handle("/.*", [&](const httplib::Request&, httplib::Response& response) {
        {
            std::lock_guard lock(mutex);
            most = std::max(most, ++underWay);
        }
        std::this_thread::sleep_for(30ms);
        {
            std::lock_guard lock(mutex);
            --underWay;
        }
        response.set_content("<a href=\"add.php\">Add URL</a>", "text/html");
    });
    server.start();
    std::vector<ListedDirectory> directories;
    for (const char* path : { "/a/", "/b/", "/c/", "/d/" })
        directories.push_back({ path, server.url(path) });

    RecordingListener listener;
    DirectoryLearningRun run(directories, DirectoryLearner(quickLimits()), &listener, 4);
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(listener.waitForEnd());
    run.close();
    EXPECT_EQ(run.summary().withoutForm, 4u);
    EXPECT_EQ(server.requests().size(), 8u);
    std::lock_guard lock(mutex);
    EXPECT_EQ(most, 1);
}

TEST(DirectoryLearningRunThreadedTest, CancelEndsTheRunSoonAndKeepsWhatWasLearned)
{
    LoopbackServer menu;
    serveTestSite(menu, "menu");
    LoopbackServer trickle;
    serveTrickle(trickle);
    // One worker: the menu site first, then pages that never end.
    std::vector<ListedDirectory> directories { { "Menu", menu.url("/") } };
    for (int copy = 0; copy < 5; ++copy)
        directories.push_back({ "Slow" + std::to_string(copy), trickle.url("/") });

    RecordingListener listener;
    DirectoryLearningRun run(directories, DirectoryLearner(quickLimits()), &listener, 1);
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(listener.waitForLessons(1));
    std::this_thread::sleep_for(200ms);
    const auto cancelled = std::chrono::steady_clock::now();
    run.cancel();
    ASSERT_TRUE(listener.waitForEnd());
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 5s);
    EXPECT_EQ(listener.lessons(),
        (std::vector<std::pair<std::size_t, DirectoryLesson::Outcome>> {
            { 0u, DirectoryLesson::Outcome::Learned } }));
    EXPECT_EQ(listener.ends().front(), (LearningSummary { 6, 1, 1, 0, 0 }));
}

TEST(DirectoryLearningRunThreadedTest, ClosingNeverWaitsForAWorkerAndCallsNoMore)
{
    // Two workers stuck in pages that take long to read (they pay no heed to
    // the cancel flag) as the window closes.
    struct Stuck {
        Gate release;
        std::atomic<int> inside { 0 };
    };
    auto stuck = std::make_shared<Stuck>();
    const std::weak_ptr<Stuck> watch = stuck;
    RecordingListener listener;
    {
        DirectoryLearningRun run(
            { { "Slow", "http://slow.example/" }, { "Slower", "http://slower.example/" } },
            [stuck](const std::string&, const std::atomic<bool>*) {
                ++stuck->inside;
                stuck->release.opened().wait();
                return DirectoryLesson {};
            },
            &listener, 2);
        ASSERT_TRUE(run.start());
        const auto started = std::chrono::steady_clock::now();
        while (stuck->inside < 2 && std::chrono::steady_clock::now() - started < 30s)
            std::this_thread::sleep_for(1ms);
        auto closed = std::async(std::launch::async, [&run] { run.close(); });
        const bool returned = closed.wait_for(30s) == std::future_status::ready;
        stuck->release.open();
        ASSERT_TRUE(returned) << "close waited for the workers";
        EXPECT_FALSE(run.start());
    }
    // The workers end on their own, let go of what they shared, and never reach the listener.
    stuck.reset();
    const auto released = std::chrono::steady_clock::now();
    while (!watch.expired() && std::chrono::steady_clock::now() - released < 30s)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(listener.lessons().empty());
    EXPECT_TRUE(listener.ends().empty());
}

TEST(DirectoryLearningRunThreadedTest, CancellingOneSearchEndsItAtOnce)
{
    LoopbackServer trickle;
    serveTrickle(trickle);
    DiscoveryLimits limits = quickLimits();
    limits.page.total = 60s;
    std::atomic<bool> cancel { false };
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(300ms);
        cancel = true;
    });
    const auto started = std::chrono::steady_clock::now();
    const DirectoryLesson lesson = DirectoryLearner(limits).learn(trickle.url("/"), &cancel);
    canceller.join();
    EXPECT_EQ(lesson.outcome, DirectoryLesson::Outcome::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

} // namespace
