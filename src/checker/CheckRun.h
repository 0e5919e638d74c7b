#pragma once

#include "checker/CheckResults.h"
#include "stats/WideSiteChecker.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class HostConfiguration;
class IDirectoryEnumerator;
class RunPause;

// One check of a loaded database: the site checker's worker asks it for each
// directory in turn and reports the PageRank and whether the page answers; the
// run logs each result and collects the PageRank changes and the broken
// directories. It lives until its worker is done, even if its owner goes first.
class CheckRun : public WideSiteChecker::ICheckSink, public std::enable_shared_from_this<CheckRun> {
public:
    // Whoever shows the run. Every call comes on the worker thread.
    class IObserver {
    public:
        virtual ~IObserver() = default;

        // One log line, ending in "\r\n".
        virtual void onLogLine(const std::u16string& line) = 0;
        // How many directories have been checked so far.
        virtual void onProgress(int checked) = 0;
        // The run is over; its results are complete.
        virtual void onFinished() = 0;
    };

    // A run over the enumerator's directories; nothing happens until Start.
    static std::shared_ptr<CheckRun> create(
        std::shared_ptr<IDirectoryEnumerator> directories, CheckOptions options, IObserver* observer);
    ~CheckRun() override;

    // Starts the worker. PageRank is asked of the query host ("host" or
    // "host:port") with the pause after each query. False when no thread could
    // be started or the run was started before.
    bool start(const std::string& pageRankHost, std::chrono::milliseconds pause);
    // Starts the worker with the PageRank provider the settings choose: the
    // toolbar query with the pause after each query, or Open PageRank, which
    // takes 100 directories a request and waits only as its limits ask.
    bool start(const HostConfiguration& hosts, std::chrono::milliseconds pause);
    // Ends the run after the directory in progress; its summary still comes.
    void stop();
    // Stops the run and drops the observer: once this returns, no call reaches it.
    void detach();

    // Whether the worker has handed out its last directory.
    bool isOver() const;
    // Waits for that at most the given time; true when it happened.
    bool waitUntilOver(std::chrono::milliseconds timeout) const;
    // The changes and broken directories found so far.
    CheckResults results() const;

private:
    CheckRun(std::shared_ptr<IDirectoryEnumerator> directories, CheckOptions options, IObserver* observer);

    bool NextSite(std::u16string& url, bool& checkPageRank, bool& checkAlive) override;
    void SiteChecked(const std::u16string& url, std::int32_t pageRank, std::int32_t alive) override;
    bool keepChecking() override;
    void runEnded() override;

    // A directory handed out and not yet reported: what its result is logged with.
    struct Pending {
        std::u16string name;
        std::int32_t storedPageRank = 0;
    };

    bool claimStart();
    bool startWith(WideSiteChecker& checker);
    bool stepToNextDirectory();
    void logPageRank(const Pending& directory, const std::u16string& address, std::int32_t pageRank);
    void logProblem(const std::string& problem);
    void finish();
    template <typename Call> void tellObserver(Call call);

    const std::shared_ptr<IDirectoryEnumerator> m_directories;
    const CheckOptions m_options;
    std::shared_ptr<RunPause> m_pause;
    std::shared_ptr<CheckRun> m_keepAlive;
    std::atomic<bool> m_stop { false };
    int m_checked = 0;
    std::deque<Pending> m_pending; // touched by the worker only

    mutable std::mutex m_observerMutex;
    IObserver* m_observer;

    mutable std::mutex m_resultsMutex;
    mutable std::condition_variable m_overChanged;
    CheckResults m_results;
    bool m_started = false;
    bool m_over = false;
};
