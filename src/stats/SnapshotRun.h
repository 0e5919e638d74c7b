#pragma once

#include "stats/CSEOData.h"
#include "stats/DirectoryApprovalChecker.h"
#include "stats/SnapshotOptions.h"
#include "stats/SnapshotReport.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

class IClock;
class ISleeper;

// One snapshot of a site, from its start to the report: general figures, then
// search positions for each phrase, then the directories that list the site.
// Each stage starts on the thread that delivered the last result of the one
// before, exactly once however the results race. Results reach the window (or
// tool) that shows the run through its host, on worker threads; once the run is
// closed the host is never called again and late results are dropped. The run
// is shared with its requests and workers, so it outlives whoever closed it.
class SnapshotRun : public CSEOData::IResultSink,
                    public DirectoryApprovalChecker::IResultSink,
                    public std::enable_shared_from_this<SnapshotRun> {
public:
    // A directory name with an address.
    using Directory = std::pair<std::string, std::string>;

    // Everything a run needs, taken from the stores before it starts so that
    // workers never touch them.
    struct Input {
        std::string siteUrl;
        std::vector<std::string> phrases;
        std::vector<Directory> history; // the profile's submission entries: name, recorded URL
        std::vector<Directory> database; // every directory of the database: name, submit URL
        SnapshotOptions options;
        std::string vendorUrl; // the report's footer link
        // The Tranco list that gives the traffic rank, and where a fresh one is
        // downloaded from when it is missing or older than 30 days; without a
        // file the traffic rank is not asked for.
        std::filesystem::path trafficList;
        std::string trafficListUrl;
    };

    // A directory found listing the site, to be recorded in the profile.
    struct Approval {
        std::string name;
        std::string proofUrl;
        std::string submitUrl; // from the database; empty when it has no such directory
    };

    // Whoever shows the run. Called on worker threads, never two at a time and
    // never after Close has returned; implementations hand the calls on to their
    // own thread.
    class IHost {
    public:
        virtual ~IHost() = default;

        virtual void onStatus(const std::string& status) = 0;
        virtual void onProgress(const std::string& progress) = 0;
        // A directory lists the site: record it in the profile's history.
        virtual void onApprovalFound(const Approval& approval) = 0;
        // The run is over; the report is ready to be offered for saving.
        virtual void onFinished(const std::string& report) = 0;
        // A host gave no answer: the figures it owed show "n/a" in the report.
        virtual void onNoAnswer(const std::string& host) { static_cast<void>(host); }
    };

    // The result codes that tell the requests of the position stage apart.
    static constexpr std::int32_t kGooglePositionCookie = 100;
    static constexpr std::int32_t kYahooPositionCookie = 101;
    // The pause between two phrases.
    static constexpr int kPhraseWaitMilliseconds = 10000;

    // A run for the input, asking the collector for figures and pausing between
    // phrases with the sleeper (real pauses when null). The host must stay valid
    // until Close has returned.
    static std::shared_ptr<SnapshotRun> create(Input input, CSEOData collector,
        std::shared_ptr<ISleeper> sleeper, std::shared_ptr<const IClock> clock, IHost* host);

    // Starts the first stage whose option is on; a second call does nothing.
    void start();
    // Stops the run: from now on results are dropped, the approval workers stop at
    // their next directory and the host is not called again. Waits for a host
    // call that is under way.
    void close();
    bool isOpen() const { return m_open; }
    // Whether the last stage is done and the report was handed to the host.
    bool isFinished() const;

    // The report of what was found so far, dated today.
    std::string buildReport() const;

    // The options as the run uses them (positions are off without phrases).
    const SnapshotOptions& options() const { return m_input.options; }

    void OnSEOResult(std::int32_t result, std::int32_t cookie) override;
    void onNoAnswer(const std::string& host, std::int32_t cookie) override;
    std::int32_t OnApprovalResult(const std::string& name, const std::string& proofUrl, bool found) override;

private:
    struct Token { };

public:
    // Through Create only: the run must be shared.
    SnapshotRun(Token, Input input, CSEOData collector, std::shared_ptr<ISleeper> sleeper,
        std::shared_ptr<const IClock> clock, IHost* host);

private:
    void startGeneral();
    void askGeneral();
    void refreshTrafficList();
    std::vector<std::int32_t> generalKinds() const;
    void startPositions();
    void askPositions(const std::string& phrase);
    void nextPhrase();
    void startApproval();
    void finish();
    void storeFigure(std::int32_t kind, std::int32_t result);
    void storePosition(std::int32_t cookie, std::int32_t result);
    void query(std::int32_t kind, const std::string& phrase, std::int32_t cookie);
    template <typename Call> void callHost(Call call);

    const Input m_input;
    CSEOData m_collector;
    const int m_generalFigures; // as many as generalKinds gives
    const std::shared_ptr<ISleeper> m_sleeper;
    const std::shared_ptr<const IClock> m_clock;
    const std::map<std::string, std::string> m_submitUrls;
    std::atomic<bool> m_open { true };

    mutable std::mutex m_hostMutex;
    IHost* m_host;

    mutable std::mutex m_mutex;
    bool m_started = false;
    bool m_finished = false;
    std::array<std::int32_t, 7> m_figures {};
    // The requests whose host did not answer, until their result arrives.
    std::set<std::int32_t> m_unanswered;
    int m_figuresReceived = 0;
    std::vector<std::string> m_phrasesDone;
    std::vector<std::int32_t> m_googlePositions;
    std::vector<std::int32_t> m_yahooPositions;
    std::size_t m_phraseIndex = 0;
    int m_answers = 0;
    std::size_t m_listSize = 0;
    int m_reported = 0;
    int m_workersFinished = 0;
    std::vector<std::string> m_foundNames;
    std::vector<std::string> m_proofUrls;
};
