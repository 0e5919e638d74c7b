#include "checker/CheckRun.h"

#include "checker/IDirectoryEnumerator.h"
#include "checker/RunPause.h"
#include "common/WideText.h"
#include "stats/PageRank.h"
#include "stats/PageRankSource.h"

namespace {

// Disabled directories with this prefix are the database's own entries, not sites.
constexpr std::u16string_view kInternalPrefix = u"__";

std::u16string decimal(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string failedLine(const std::u16string& address, std::int32_t stored)
{
    return u"Failed to retrieve PR for " + address + u". The existing value will be used: " + decimal(stored)
        + u"\r\n";
}

std::u16string unchangedLine(const std::u16string& address, std::int32_t stored)
{
    return u"No PR update needed for " + address + u" (PR " + decimal(stored) + u")\r\n";
}

std::u16string updatedLine(const std::u16string& address, std::int32_t stored, std::int32_t found)
{
    return u"PR updated for " + address + u" from " + decimal(stored) + u" to " + decimal(found) + u"\r\n";
}

std::u16string brokenLine(const std::u16string& address)
{
    return u"Broken site: " + address + u" added to recheck queue\r\n";
}

} // namespace

std::shared_ptr<CheckRun> CheckRun::create(
    std::shared_ptr<IDirectoryEnumerator> directories, CheckOptions options, IObserver* observer)
{
    return std::shared_ptr<CheckRun>(new CheckRun(std::move(directories), options, observer));
}

CheckRun::CheckRun(
    std::shared_ptr<IDirectoryEnumerator> directories, CheckOptions options, IObserver* observer)
    : m_directories(std::move(directories))
    , m_options(options)
    , m_observer(observer)
{
}

CheckRun::~CheckRun() = default;

bool CheckRun::start(const std::string& pageRankHost, std::chrono::milliseconds pause)
{
    if (!claimStart())
        return false;
    m_pause = std::make_shared<RunPause>(pause);
    WideSiteChecker checker(pageRankHost, m_pause);
    return startWith(checker);
}

bool CheckRun::start(const HostConfiguration& hosts, std::chrono::milliseconds pause)
{
    if (!claimStart())
        return false;
    // Open PageRank's waits are its own (a rate limit), not the toolbar's pause.
    m_pause = usesOpenPageRank(hosts) ? std::make_shared<RunPause>() : std::make_shared<RunPause>(pause);
    const std::weak_ptr<CheckRun> self = weak_from_this();
    WideSiteChecker checker(hosts, m_pause, [self](const std::string& problem) {
        if (const auto run = self.lock())
            run->logProblem(problem);
    });
    return startWith(checker);
}

bool CheckRun::claimStart()
{
    std::lock_guard lock(m_resultsMutex);
    if (m_started)
        return false;
    m_started = true;
    return true;
}

bool CheckRun::startWith(WideSiteChecker& checker)
{
    m_keepAlive = shared_from_this();
    if (checker.Start(this))
        return true;
    m_keepAlive.reset();
    std::lock_guard lock(m_resultsMutex);
    m_over = true;
    return false;
}

void CheckRun::stop()
{
    m_stop = true;
    if (m_pause)
        m_pause->interrupt();
}

void CheckRun::detach()
{
    // The observer goes first: once stopped, the worker may finish at once and
    // would otherwise still tell the observer that is going away.
    {
        std::lock_guard lock(m_observerMutex);
        m_observer = nullptr;
    }
    stop();
}

bool CheckRun::isOver() const
{
    std::lock_guard lock(m_resultsMutex);
    return m_over;
}

bool CheckRun::waitUntilOver(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_resultsMutex);
    return m_overChanged.wait_for(lock, timeout, [this] { return m_over; });
}

CheckResults CheckRun::results() const
{
    std::lock_guard lock(m_resultsMutex);
    return m_results;
}

bool CheckRun::NextSite(std::u16string& url, bool& checkPageRank, bool& checkAlive)
{
    if (m_stop || !stepToNextDirectory())
        return false;
    url = m_directories->GetSubmitUrl();
    // Read now: with a batch, the enumerator has moved on when the result comes.
    m_pending.push_back({ m_directories->GetName(), m_directories->GetPR() });
    checkPageRank = m_options.updatePageRank;
    checkAlive = m_options.checkBrokenLinks;
    return true;
}

void CheckRun::SiteChecked(const std::u16string& url, std::int32_t pageRank, std::int32_t alive)
{
    if (m_pending.empty())
        return;
    const Pending directory = std::move(m_pending.front());
    m_pending.pop_front();
    ++m_checked;
    tellObserver([checked = m_checked](IObserver& observer) { observer.onProgress(checked); });
    if (m_options.updatePageRank)
        logPageRank(directory, url, pageRank);
    if (m_options.checkBrokenLinks && alive != kSiteAlive) {
        {
            std::lock_guard lock(m_resultsMutex);
            m_results.brokenSites.push_back({ directory.name, url });
        }
        tellObserver([line = brokenLine(url)](IObserver& observer) { observer.onLogLine(line); });
    }
}

bool CheckRun::keepChecking()
{
    return !m_stop;
}

void CheckRun::runEnded()
{
    m_pending.clear();
    finish();
}

// Every directory is visited except the disabled ones whose names mark them as
// the database's own entries.
bool CheckRun::stepToNextDirectory()
{
    while (m_directories->MoveNext()) {
        if (m_directories->IsEnabled() || !m_directories->GetName().starts_with(kInternalPrefix))
            return true;
    }
    return false;
}

void CheckRun::logPageRank(const Pending& directory, const std::u16string& address, std::int32_t pageRank)
{
    const std::int32_t stored = directory.storedPageRank;
    std::u16string line;
    if (pageRank == kFailedPageRank) {
        line = failedLine(address, stored);
    } else if (pageRank == stored) {
        line = unchangedLine(address, stored);
    } else {
        line = updatedLine(address, stored, pageRank);
        std::lock_guard lock(m_resultsMutex);
        m_results.prChanges.push_back({ directory.name, address, stored, pageRank });
    }
    tellObserver([&line](IObserver& observer) { observer.onLogLine(line); });
}

void CheckRun::logProblem(const std::string& problem)
{
    const std::u16string line = utf16FromUtf8("PageRank: " + problem + "\r\n");
    tellObserver([&line](IObserver& observer) { observer.onLogLine(line); });
}

void CheckRun::finish()
{
    // The worker touches nothing of the run after this call, so whoever is told
    // that the run is over may read the results at once.
    const std::shared_ptr<CheckRun> self = std::move(m_keepAlive);
    tellObserver([](IObserver& observer) { observer.onFinished(); });
    {
        std::lock_guard lock(m_resultsMutex);
        m_over = true;
    }
    m_overChanged.notify_all();
}

template <typename Call> void CheckRun::tellObserver(Call call)
{
    std::lock_guard lock(m_observerMutex);
    if (m_observer)
        call(*m_observer);
}
