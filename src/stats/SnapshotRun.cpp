#include "stats/SnapshotRun.h"

#include "common/LocalTime.h"
#include "common/SystemClock.h"
#include "common/SystemSleeper.h"
#include "stats/TrancoList.h"

#include <iterator>
#include <system_error>
#include <thread>

namespace {

constexpr const char* kGeneralStatus = "Status: gathering general site stats...";
constexpr const char* kPositionStatus = "Status: gathering search engine position stats...";
constexpr const char* kApprovalStatus = "Status: checking directory approval...";
constexpr const char* kIdleStatus = "Status: idle";
constexpr const char* kCheckingPhrase = "Checking SERPs for ";
constexpr const char* kCheckingDirectory = "Checking for approval in ";
constexpr const char* kReportDate = "%d %B %Y";

// The general figures in the order they are asked for, and in report order.
constexpr std::int32_t kAskedKinds[] = { CSEOData::GooglePageRank, CSEOData::HomePagePageRank,
    CSEOData::GoogleIndex, CSEOData::GoogleInboundLinks, CSEOData::YahooIndex, CSEOData::YahooInboundLinks };
constexpr std::int32_t kReportKinds[] = { CSEOData::GooglePageRank, CSEOData::HomePagePageRank,
    CSEOData::GoogleInboundLinks, CSEOData::GoogleIndex, CSEOData::YahooInboundLinks, CSEOData::YahooIndex };
constexpr std::int32_t kLastFigureKind = CSEOData::YahooIndex;
constexpr const char* kDownloadingList = "Downloading the Tranco list of top sites... ";

// The figure a request gives when it fails; stands in when no thread could run it.
std::int32_t failedFigure(std::int32_t kind)
{
    return kind == CSEOData::GooglePageRank || kind == CSEOData::HomePagePageRank
            || kind == CSEOData::AlexaRank
        ? -1
        : 0;
}

// "Checking for approval in NAME (COUNT/TOTAL)".
std::string directoryProgress(const std::string& name, int count, std::size_t total)
{
    return kCheckingDirectory + name + " (" + std::to_string(count) + "/" + std::to_string(total) + ")";
}

// Positions need phrases: without any the stage is off.
SnapshotRun::Input usable(SnapshotRun::Input input)
{
    if (input.phrases.empty())
        input.options.includeSerp = false;
    return input;
}

std::map<std::string, std::string> submitUrlsOf(const std::vector<SnapshotRun::Directory>& database)
{
    std::map<std::string, std::string> urls;
    for (const auto& [name, url] : database)
        urls.emplace(name, url);
    return urls;
}

} // namespace

std::shared_ptr<SnapshotRun> SnapshotRun::create(Input input, CSEOData collector,
    std::shared_ptr<ISleeper> sleeper, std::shared_ptr<const IClock> clock, IHost* host)
{
    return std::make_shared<SnapshotRun>(
        Token {}, std::move(input), std::move(collector), std::move(sleeper), std::move(clock), host);
}

SnapshotRun::SnapshotRun(Token, Input input, CSEOData collector, std::shared_ptr<ISleeper> sleeper,
    std::shared_ptr<const IClock> clock, IHost* host)
    : m_input(usable(std::move(input)))
    , m_collector(std::move(collector))
    , m_generalFigures(static_cast<int>(generalKinds().size()))
    , m_sleeper(sleeper ? std::move(sleeper) : std::make_shared<SystemSleeper>())
    , m_clock(clock ? std::move(clock) : std::make_shared<SystemClock>())
    , m_submitUrls(submitUrlsOf(m_input.database))
    , m_host(host)
{
    if (!m_input.trafficList.empty())
        m_collector.useTrafficList(m_input.trafficList);
}

void SnapshotRun::start()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_started)
            return;
        m_started = true;
    }
    if (m_input.options.includeGeneral)
        startGeneral();
    else
        startPositions();
}

void SnapshotRun::close()
{
    m_open = false;
    std::lock_guard lock(m_hostMutex);
    m_host = nullptr;
}

bool SnapshotRun::isFinished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished;
}

std::string SnapshotRun::buildReport() const
{
    SnapshotFindings findings;
    findings.siteUrl = m_input.siteUrl;
    findings.date = formatLocalTime(m_clock->now(), kReportDate);
    findings.includeGeneral = m_input.options.includeGeneral;
    findings.includeSerp = m_input.options.includeSerp;
    findings.includeApproval = m_input.options.includeApproval;
    findings.submittedCount = m_input.history.size();
    {
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < findings.figures.size(); ++i)
            findings.figures[i] = m_figures[static_cast<std::size_t>(kReportKinds[i])];
        if (!m_input.trafficList.empty())
            findings.trafficRank = m_figures[CSEOData::AlexaRank];
        findings.phrases = m_phrasesDone;
        findings.googlePositions = m_googlePositions;
        findings.yahooPositions = m_yahooPositions;
        findings.foundNames = m_foundNames;
        findings.proofUrls = m_proofUrls;
    }
    for (std::size_t i = 0; i < findings.figures.size(); ++i) {
        findings.labels[i] = m_collector.labelOf(kReportKinds[i]);
        findings.sources[i] = m_collector.sourceOf(kReportKinds[i]);
    }
    if (findings.trafficRank)
        findings.trafficSource = m_collector.sourceOf(CSEOData::AlexaRank);
    findings.positionHeadings = { m_collector.labelOf(CSEOData::GooglePosition),
        m_collector.labelOf(CSEOData::YahooPosition) };
    return buildSnapshotReport(findings, m_input.vendorUrl);
}

void SnapshotRun::OnSEOResult(std::int32_t result, std::int32_t cookie)
{
    if (!m_open)
        return;
    {
        std::lock_guard lock(m_mutex);
        if (m_unanswered.erase(cookie) > 0)
            result = CSEOData::kNotAvailable;
    }
    if (cookie >= 0 && cookie <= kLastFigureKind)
        storeFigure(cookie, result);
    else if (cookie == kGooglePositionCookie || cookie == kYahooPositionCookie)
        storePosition(cookie, result);
}

void SnapshotRun::onNoAnswer(const std::string& host, std::int32_t cookie)
{
    if (!m_open)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_unanswered.insert(cookie);
    }
    callHost([&](IHost& runHost) { runHost.onNoAnswer(host); });
}

std::int32_t SnapshotRun::OnApprovalResult(const std::string& name, const std::string& proofUrl, bool found)
{
    if (!m_open)
        return 0;
    if (name.empty()) {
        if (!proofUrl.empty() || !found)
            return 1;
        bool last = false;
        {
            std::lock_guard lock(m_mutex);
            last = ++m_workersFinished == DirectoryApprovalChecker::kWorkers;
        }
        if (last)
            finish();
        return 1;
    }
    int count = 0;
    std::size_t total = 0;
    {
        std::lock_guard lock(m_mutex);
        count = ++m_reported;
        total = m_listSize;
        if (found) {
            m_foundNames.push_back(name);
            m_proofUrls.push_back(proofUrl);
        }
    }
    callHost([&](IHost& host) { host.onProgress(directoryProgress(name, count, total)); });
    if (found) {
        const auto url = m_submitUrls.find(name);
        const Approval approval { name, proofUrl, url == m_submitUrls.end() ? std::string() : url->second };
        callHost([&](IHost& host) { host.onApprovalFound(approval); });
    }
    return 1;
}

void SnapshotRun::startGeneral()
{
    callHost([](IHost& host) {
        host.onStatus(kGeneralStatus);
        host.onProgress({});
    });
    const bool refresh = !m_input.trafficList.empty() && !m_input.trafficListUrl.empty()
        && TrancoList(m_input.trafficList).needsRefresh(m_clock->now());
    if (!refresh) {
        askGeneral();
        return;
    }
    // The download takes a while: never on the thread that started the run.
    try {
        std::thread([self = shared_from_this()] {
            self->refreshTrafficList();
            self->askGeneral();
        }).detach();
    } catch (const std::system_error&) {
        askGeneral();
    }
}

void SnapshotRun::refreshTrafficList()
{
    const TrancoList list(m_input.trafficList);
    int shown = -1;
    const TrancoList::Update update =
        list.update(m_input.trafficListUrl, [&](std::uint64_t got, std::uint64_t total) {
            const int percent = total > 0 ? static_cast<int>(got * 100 / total) : 0;
            if (percent != shown) {
                shown = percent;
                callHost(
                    [&](IHost& host) { host.onProgress(kDownloadingList + std::to_string(percent) + "%"); });
            }
            return m_open.load();
        });
    // A failed download keeps the old list (or none: the rank then reads "n/a").
    callHost([&](IHost& host) { host.onProgress(update.message); });
}

std::vector<std::int32_t> SnapshotRun::generalKinds() const
{
    std::vector<std::int32_t> kinds;
    for (const std::int32_t kind : kAskedKinds) {
        // The page's PageRank stands for its home page's too when both are the domain's.
        if (kind != CSEOData::HomePagePageRank || !m_collector.pageRankPerDomain())
            kinds.push_back(kind);
    }
    if (!m_input.trafficList.empty())
        kinds.push_back(CSEOData::AlexaRank);
    return kinds;
}

void SnapshotRun::askGeneral()
{
    for (const std::int32_t kind : generalKinds())
        query(kind, {}, kind);
}

void SnapshotRun::startPositions()
{
    if (!m_input.options.includeSerp) {
        startApproval();
        return;
    }
    callHost([](IHost& host) {
        host.onStatus(kPositionStatus);
        host.onProgress({});
    });
    const std::string& first = m_input.phrases.front();
    {
        std::lock_guard lock(m_mutex);
        m_phraseIndex = 0;
        m_answers = 0;
        m_phrasesDone.push_back(first);
    }
    askPositions(first);
}

void SnapshotRun::askPositions(const std::string& phrase)
{
    query(CSEOData::GooglePosition, phrase, kGooglePositionCookie);
    query(CSEOData::YahooPosition, phrase, kYahooPositionCookie);
}

void SnapshotRun::nextPhrase()
{
    m_sleeper->sleepFor(std::chrono::milliseconds(kPhraseWaitMilliseconds));
    if (!m_open)
        return;
    std::string phrase;
    {
        std::lock_guard lock(m_mutex);
        phrase = m_input.phrases[m_phraseIndex];
        m_phrasesDone.push_back(phrase);
    }
    callHost([&](IHost& host) { host.onProgress(kCheckingPhrase + phrase); });
    askPositions(phrase);
}

void SnapshotRun::startApproval()
{
    if (!m_input.options.includeApproval) {
        finish();
        return;
    }
    callHost([](IHost& host) {
        host.onStatus(kApprovalStatus);
        host.onProgress({});
    });
    const std::vector<Directory>& list = m_input.options.entireDatabase ? m_input.database : m_input.history;
    // A history entry whose address is not the directory's submission page is
    // the page that listed the site when it was found before: looked at again.
    std::map<std::string, std::string> listings;
    for (const auto& [name, url] : m_input.history) {
        const auto submit = m_submitUrls.find(name);
        if (submit != m_submitUrls.end() && submit->second != url)
            listings.emplace(name, url);
    }
    DirectoryApprovalChecker checker;
    for (const auto& [name, url] : list) {
        const auto listing = listings.find(name);
        checker.addDirectory(name, url, listing == listings.end() ? std::string() : listing->second);
    }
    if (m_collector.usesSearchApi())
        checker.setSearchResults(
            [collector = m_collector](const std::string& query) { return collector.searchResults(query); });
    {
        std::lock_guard lock(m_mutex);
        m_listSize = checker.count();
    }
    checker.setStartIndex(m_input.options.resumeRecord);
    checker.setSiteUrl(m_input.siteUrl);
    if (m_open)
        checker.Start(std::shared_ptr<DirectoryApprovalChecker::IResultSink>(shared_from_this()));
}

void SnapshotRun::finish()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_finished)
            return;
        m_finished = true;
    }
    const std::string report = buildReport();
    callHost([&](IHost& host) {
        host.onFinished(report);
        host.onStatus(kIdleStatus);
        host.onProgress({});
    });
}

void SnapshotRun::storeFigure(std::int32_t kind, std::int32_t result)
{
    bool last = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_figuresReceived >= m_generalFigures)
            return;
        m_figures[static_cast<std::size_t>(kind)] = result;
        if (kind == CSEOData::GooglePageRank && m_collector.pageRankPerDomain())
            m_figures[CSEOData::HomePagePageRank] = result;
        last = ++m_figuresReceived == m_generalFigures;
    }
    if (last)
        startPositions();
}

void SnapshotRun::storePosition(std::int32_t cookie, std::int32_t result)
{
    bool allDone = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_phraseIndex >= m_input.phrases.size())
            return;
        (cookie == kGooglePositionCookie ? m_googlePositions : m_yahooPositions).push_back(result);
        if (++m_answers < 2)
            return;
        m_answers = 0;
        allDone = ++m_phraseIndex >= m_input.phrases.size();
    }
    if (allDone)
        startApproval();
    else
        nextPhrase();
}

void SnapshotRun::query(std::int32_t kind, const std::string& phrase, std::int32_t cookie)
{
    if (!m_open)
        return;
    const std::shared_ptr<CSEOData::IResultSink> sink = shared_from_this();
    if (m_collector.Query(kind, m_input.siteUrl, phrase, cookie, sink) == -1)
        OnSEOResult(failedFigure(kind), cookie);
}

template <typename Call> void SnapshotRun::callHost(Call call)
{
    std::lock_guard lock(m_hostMutex);
    if (m_host && m_open)
        call(*m_host);
}
