#include "checker/CheckCommand.h"

#include "checker/CDirectoryBackend.h"
#include "checker/CheckRun.h"
#include "checker/CheckStatistics.h"
#include "checker/CheckerHosts.h"
#include "checker/IDirectoryEnumerator.h"
#include "checker/ReviewSave.h"
#include "common/CommandLine.h"
#include "common/DataFolder.h"
#include "common/StderrMessageBox.h"
#include "common/WideText.h"
#include "stats/PageRank.h"

#include <algorithm>
#include <csignal>
#include <ostream>

namespace {

using namespace std::chrono_literals;

constexpr const char* kNothingToSave = "No changes to save";
constexpr int kBarWidth = 40;
constexpr int kLinesOffTerminal = 10;
// The most a pause may be set to: a day.
constexpr long kLongestPause = 24L * 60 * 60 * 1000;

volatile std::sig_atomic_t g_interrupted = 0;

void noteInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl+C asks the run to stop while this lives; the handler resets itself, so
// a second Ctrl+C ends the program as usual.
class InterruptWatch {
public:
    InterruptWatch()
    {
        g_interrupted = 0;
        struct sigaction action { };
        action.sa_handler = noteInterrupt;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        m_installed = ::sigaction(SIGINT, &action, &m_previous) == 0;
    }
    ~InterruptWatch()
    {
        if (m_installed)
            ::sigaction(SIGINT, &m_previous, nullptr);
    }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    bool interrupted() const { return g_interrupted != 0; }

private:
    struct sigaction m_previous { };
    bool m_installed = false;
};

// The log text for a console: UTF-8 with plain line feeds.
std::string consoleText(const std::u16string& text)
{
    std::string bytes = utf8FromUtf16(text);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    return bytes;
}

// Shows a run on the error stream: each log line, and a progress bar that a
// terminal redraws in place below the log.
class ConsoleObserver : public CheckRun::IObserver {
public:
    ConsoleObserver(std::ostream& err, bool terminal, int total)
        : m_err(err)
        , m_terminal(terminal)
        , m_total(total)
    {
    }

    void onLogLine(const std::u16string& line) override
    {
        if (m_terminal)
            m_err << "\r\033[K";
        m_err << consoleText(line);
        if (m_terminal)
            m_err << bar(m_checked);
        m_err << std::flush;
    }

    void onProgress(int checked) override
    {
        m_checked = checked;
        if (m_terminal) {
            m_err << '\r' << bar(checked) << std::flush;
            return;
        }
        const int step = m_total > 0 ? checked * kLinesOffTerminal / m_total : 0;
        if (step > m_printedStep) {
            m_printedStep = step;
            m_err << bar(checked) << '\n' << std::flush;
        }
    }

    void onFinished() override { }

    // Ends the bar's line once the run is over.
    void close()
    {
        if (m_terminal)
            m_err << '\n' << std::flush;
    }

private:
    std::string bar(int checked) const
    {
        const int filled = m_total > 0 ? std::min(kBarWidth, checked * kBarWidth / m_total) : kBarWidth;
        return "Progress: [" + std::string(static_cast<std::size_t>(filled), '#')
            + std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " + std::to_string(checked)
            + "/" + std::to_string(m_total);
    }

    std::ostream& m_err;
    const bool m_terminal;
    const int m_total;
    int m_checked = 0;
    int m_printedStep = 0;
};

std::chrono::milliseconds pauseOption(const std::optional<std::string>& text)
{
    if (!text)
        return std::chrono::milliseconds(kListCheckerPauseMilliseconds);
    const bool digits = !text->empty() && text->size() <= 9
        && std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stol(*text) > kLongestPause)
        throw UsageError("--pause-ms needs a number of milliseconds up to " + std::to_string(kLongestPause));
    return std::chrono::milliseconds(std::stol(*text));
}

// Runs the check to its end, or until Ctrl+C stops it.
CheckResults runToEnd(CDirectoryBackend& backend, const CheckOptions& options, const HostConfiguration& hosts,
    std::chrono::milliseconds pause, std::ostream& err, bool terminal)
{
    const std::shared_ptr<IDirectoryEnumerator> directories = backend.CreateEnumerator();
    ConsoleObserver observer(err, terminal, directories->Count());
    const std::shared_ptr<CheckRun> run = CheckRun::create(directories, options, &observer);
    InterruptWatch interrupts;
    if (!run->start(hosts, pause))
        throw std::runtime_error("cannot start the check");
    bool stopping = false;
    while (!run->waitUntilOver(100ms)) {
        if (interrupts.interrupted() && !stopping) {
            stopping = true;
            run->stop();
        }
    }
    run->detach();
    observer.close();
    return run->results();
}

// Applies what the flags choose and saves; false when the save failed.
bool applyAndSave(CDirectoryBackend& backend, const CheckResults& results, bool applyPageRank,
    bool disableBroken, const std::string& file, std::ostream& err, IMessageBox& messages)
{
    ReviewSelection selection = ReviewSelection::all(results, false);
    selection.prChanges.assign(selection.prChanges.size(), applyPageRank);
    selection.brokenSites.assign(selection.brokenSites.size(), disableBroken);
    if (std::find(selection.prChanges.begin(), selection.prChanges.end(), true) == selection.prChanges.end()
        && std::find(selection.brokenSites.begin(), selection.brokenSites.end(), true)
            == selection.brokenSites.end()) {
        err << kNothingToSave << '\n';
        return true;
    }
    applyReview(backend, results, selection);
    if (!saveReviewedDatabase(backend, file, messages))
        return false;
    err << saveStatusText(SaveOutcome::Saved) << '\n';
    return true;
}

} // namespace

bool isCheckCommand(const std::vector<std::string>& arguments)
{
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--check" || argument.starts_with("--check=");
    });
}

int runCheckCommand(
    const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal)
{
    CommandLine line(arguments);
    const std::optional<std::string> file = line.takeOption("--check");
    CheckOptions options;
    options.updatePageRank = !line.takeFlag("--no-pr");
    options.checkBrokenLinks = !line.takeFlag("--no-alive");
    const bool applyPageRank = line.takeFlag("--apply-pr");
    const bool disableBroken = line.takeFlag("--disable-broken");
    const std::chrono::milliseconds pause = pauseOption(line.takeOption("--pause-ms"));
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    line.positional(0, kCheckUsage);
    if (!file || file->empty())
        throw UsageError(std::string("usage: ") + kCheckUsage);

    const HostConfiguration hosts = readCheckerHosts(DataFolder::resolve(dataDir));
    StderrMessageBox messages(err, MessageAnswer::No);
    CDirectoryBackend backend;
    if (!backend.LoadDatabase(*file, messages))
        return 1;
    err << loadedStatusText(backend.CreateEnumerator()->Count()) << '\n' << std::flush;

    const CheckResults results = runToEnd(backend, options, hosts, pause, err, errIsTerminal);
    out << consoleText(CheckStatistics::count(results).text()) << '\n' << std::flush;
    if (!applyPageRank && !disableBroken)
        return 0;
    return applyAndSave(backend, results, applyPageRank, disableBroken, *file, err, messages) ? 0 : 1;
}
