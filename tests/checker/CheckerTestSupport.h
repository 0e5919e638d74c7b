#pragma once

#include "checker/CDirectoryBackend.h"
#include "checker/CheckRun.h"
#include "net/LoopbackServer.h"

#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// One directory element of a test database; absent attributes stay out.
struct TestDirectory {
    std::string name;
    std::string url;
    std::string pr = "-"; // "-": no "pr" attribute
    std::string enabled = "-"; // "-": no "enabled" attribute
};

// A plain database as the main program writes it: declaration, tab indents.
std::string databaseOf(const std::vector<TestDirectory>& directories, const std::string& root = "customdirs");

// A loopback server that is both the PageRank service and the directories'
// sites: PageRank answers by site root; "/dead" answers 404, "/held" waits for
// its gate, every other one-word path answers a page. A root without an
// answer gets 404, so its query fails.
class CheckerServer {
public:
    CheckerServer();

    // The body the service answers for a site root ("http://one.example").
    void answerPageRank(const std::string& root, const std::string& body);
    // Holds "/held" back until the gate opens.
    void holdUntil(std::shared_future<void> opened);
    std::string host() const { return m_server.host(); }
    std::string url(const std::string& path) const { return m_server.url(path); }
    LoopbackServer& server() { return m_server; }
    // The page paths requested, in order.
    std::vector<std::string> pagesRequested() const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_pageRanks;
    std::shared_future<void> m_held;
    LoopbackServer m_server;
};

// What a run showed: its log lines and progress, as an observer sees them.
class RecordingObserver : public CheckRun::IObserver {
public:
    void onLogLine(const std::u16string& line) override;
    void onProgress(int checked) override;
    void onFinished() override;

    std::vector<std::u16string> lines() const;
    std::vector<int> progress() const;
    int finished() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::u16string> m_lines;
    std::vector<int> m_progress;
    int m_finished = 0;
};

// 16-bit text of ASCII test text.
std::u16string wide(const std::string& text);
