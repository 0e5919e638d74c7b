#include "custom/DirectoryImport.h"

#include "directories/DirectoryStore.h"
#include "net/LoopbackServer.h"
#include "stats/Gate.h"
#include "stats/StatisticsFakes.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using namespace std::chrono_literals;

// Stores each checked directory on the checker's thread, as the command-line
// import does, and counts the calls it gets.
class CountingListener : public DirectoryImport::IListener {
public:
    void attach(DirectoryImport* import) { m_import = import; }

    void onDirectoryChecked() override
    {
        std::lock_guard lock(m_mutex);
        ++checked;
        if (m_storeAtOnce)
            m_import->storeChecked();
        m_changed.notify_all();
    }

    void onAllChecked(std::size_t count) override
    {
        std::lock_guard lock(m_mutex);
        allChecked = count;
        m_changed.notify_all();
    }

    // Waits until the condition holds (under the lock); false after a time-out.
    template <typename Condition> bool waitFor(Condition condition)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 30s, condition);
    }

    void storeAtOnce(bool at) { m_storeAtOnce = at; }

    int checked = 0;
    std::size_t allChecked = 0;

private:
    DirectoryImport* m_import = nullptr;
    bool m_storeAtOnce = true;
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

class DirectoryImportThreaded : public ::testing::Test {
protected:
    std::shared_ptr<DirectoryImport> importOf(std::vector<std::string> names)
    {
        std::vector<ListedDirectory> directories;
        // "two" comes with the list's categories and facts.
        const DirectoryListFacts facts { 40, "dofollow", "free", false };
        for (const std::string& name : names) {
            directories.push_back(
                { name, "http://" + name + ".com/submit.php", name == "two" ? "Startup Directory,news" : "",
                    name == "two" ? facts : DirectoryListFacts {} });
        }
        auto import = DirectoryImport::create(m_custom, m_main, directories, "Custom,News", &m_listener);
        m_listener.attach(import.get());
        return import;
    }

    int pageRankQueries() const
    {
        int queries = 0;
        for (const SeenRequest& request : m_pageRank.requests())
            queries += request.target.starts_with("/search") ? 1 : 0;
        return queries;
    }

    RecordingMessageBox m_messages;
    DirectoryStore m_custom { m_messages, "customdirs" };
    DirectoryStore m_main { m_messages };
    CountingListener m_listener;
    LoopbackServer m_pageRank;
};

TEST_F(DirectoryImportThreaded, AddsEachDirectoryWithItsPageRankToBothStores)
{
    m_pageRank.serve("/search", 200, "Rank_1:1:4");
    m_pageRank.start();
    const auto import = importOf({ "one", "two", "three" });
    CSiteChecker checker(m_pageRank.host());
    ASSERT_TRUE(import->start(checker));
    ASSERT_TRUE(m_listener.waitFor([&] { return m_listener.allChecked == 3; }));
    EXPECT_EQ(m_listener.checked, 3);
    EXPECT_EQ(import->stored(), 3u);
    EXPECT_EQ(pageRankQueries(), 3);
    for (const DirectoryStore* store : { &m_custom, &m_main }) {
        const DirectoryRecord* two = store->find("two");
        ASSERT_NE(two, nullptr);
        EXPECT_EQ(*two,
            (DirectoryRecord { "two", 0, 4, "http://two.com/submit.php", "Custom,News,Startup Directory", "",
                {}, { 40, "dofollow", "free", false } }));
    }
    EXPECT_FALSE(import->start(checker));
}

TEST_F(DirectoryImportThreaded, SkippingThePageRankStillAddsEveryDirectory)
{
    m_pageRank.serve("/search", 200, "Rank_1:1:9");
    m_pageRank.start();
    const auto import = importOf({ "one", "two" });
    import->skipPageRank();
    CSiteChecker checker(m_pageRank.host());
    ASSERT_TRUE(import->start(checker));
    ASSERT_TRUE(m_listener.waitFor([&] { return m_listener.allChecked == 2; }));
    EXPECT_EQ(pageRankQueries(), 0);
    EXPECT_EQ(m_main.GetPR("two"), 0);
    EXPECT_EQ(m_custom.GetSubmitUrl("one"), "http://one.com/submit.php");
}

TEST_F(DirectoryImportThreaded, ClosingAddsTheRestAndDropsLateAnswers)
{
    Gate gate;
    std::atomic<int> asked { 0 };
    m_pageRank.handle(
        "/search", [&asked, opened = gate.opened()](const httplib::Request&, httplib::Response& response) {
            ++asked;
            opened.wait();
            response.set_content("Rank_1:1:7", "text/plain");
        });
    m_pageRank.start();
    m_listener.storeAtOnce(false);
    const auto import = importOf({ "one", "two", "three" });
    CSiteChecker checker(m_pageRank.host());
    ASSERT_TRUE(import->start(checker));
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (asked == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(asked, 1);

    import->close();
    EXPECT_EQ(import->stored(), 3u);
    EXPECT_EQ(m_custom.GetPR("one"), 0);
    EXPECT_EQ(m_main.GetCategory("three"), "Custom,News");
    // The answer under way is dropped and the checker stops at its next question.
    gate.open();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(m_custom.GetPR("one"), 0);
    EXPECT_TRUE(m_listener.waitFor([&] { return m_listener.checked == 0 && m_listener.allChecked == 0; }));
    EXPECT_EQ(import->storeChecked(), 0u);
}

} // namespace

namespace {

TEST_F(DirectoryImportThreaded, OpenPageRankGivesTheImportsPageRankAHundredDirectoriesARequest)
{
    OpenPageRankFake openPageRank;
    std::vector<std::string> names;
    for (int i = 0; i < 130; ++i) {
        names.push_back("site" + std::to_string(i));
        if (i != 5)
            openPageRank.setRank(names.back() + ".com", i % 11);
    }
    const auto import = importOf(names);
    CSiteChecker checker(openPageRank.hosts());
    ASSERT_TRUE(import->start(checker));
    ASSERT_TRUE(m_listener.waitFor([&] { return m_listener.allChecked == names.size(); }));
    EXPECT_EQ(m_listener.checked, 130);
    EXPECT_EQ(openPageRank.batches().size(), 2u);
    for (const DirectoryStore* store : { &m_custom, &m_main }) {
        EXPECT_EQ(store->find("site42")->pr, 42 % 11);
        // Open PageRank does not know it: stored as 0, as a failed query always was.
        EXPECT_EQ(store->find("site5")->pr, 0);
    }
}

} // namespace
