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
#include "directories/DatabaseFileCheck.h"
#include "stats/PageRank.h"

#include <algorithm>
#include <csignal>
#include <ostream>

namespace {

using namespace std::chrono_literals;

constexpr const char* kProgram = "tessaly";
constexpr int kBarWidth = 40;
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

// Shows a run on the error stream: each log line, and on a terminal a progress
// bar redrawn in place below the log (a file gets the log alone).
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
        if (m_terminal)
            m_err << '\r' << bar(checked) << std::flush;
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

// A run's results, and whether Ctrl+C stopped it before its end.
struct ConsoleRun {
    CheckResults results;
    bool stopped = false;
};

// Runs the check to its end, or until Ctrl+C stops it.
ConsoleRun runToEnd(CDirectoryBackend& backend, const CheckOptions& options, const HostConfiguration& hosts,
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
    return { run->results(), stopping };
}

std::string counters(const std::array<int, CheckStatistics::kVectorSize>& counts)
{
    std::string text;
    for (const int count : counts)
        text += (text.empty() ? "" : " ") + std::to_string(count);
    return text;
}

// The summary for a terminal: what was found, which the file holds only once
// it is saved (the window's summary speaks as if it were).
std::string consoleSummary(const CheckStatistics& statistics, bool stopped)
{
    return std::string(stopped ? "Check stopped." : "Check finished.")
        + "\nPageRank changes found: " + std::to_string(statistics.updated) + "\nBroken directories found: "
        + std::to_string(statistics.disabled) + "\nMoving up: " + std::to_string(statistics.movingUp)
        + "\nMoving down: " + std::to_string(statistics.movingDown) + "\nDown to 0: "
        + std::to_string(statistics.downToZero) + "\nDown to -1: " + std::to_string(statistics.downToMinusOne)
        + "\nUp by 0 to 9: " + counters(statistics.upVector)
        + "\nDown by 0 to 9: " + counters(statistics.downVector) + '\n';
}

// Applies what the flags choose and saves; false when the save failed. Says
// what became of the file either way.
bool applyAndSave(CDirectoryBackend& backend, const CheckResults& results, bool applyPageRank,
    bool disableBroken, const std::string& file, std::ostream& err, IMessageBox& messages)
{
    ReviewSelection selection = ReviewSelection::all(results, false);
    selection.prChanges.assign(selection.prChanges.size(), applyPageRank);
    selection.brokenSites.assign(selection.brokenSites.size(), disableBroken);
    const auto chosen = [](const std::vector<bool>& choices) {
        return static_cast<int>(std::count(choices.begin(), choices.end(), true));
    };
    const int prChanges = chosen(selection.prChanges);
    const int disabled = chosen(selection.brokenSites);
    if (prChanges == 0 && disabled == 0) {
        if (!applyPageRank && !disableBroken && !results.empty())
            err << kProgram << ": " << file
                << " is left as it was; --apply-pr and --disable-broken save what was found\n";
        else if (applyPageRank || disableBroken)
            err << kProgram << ": no changes to save; " << file << " is left as it was\n";
        return true;
    }
    applyReview(backend, results, selection);
    if (!saveReviewedDatabase(backend, file, messages))
        return false;
    err << kProgram << ": saved " << file << ": " << prChanges << " PageRank changes, " << disabled
        << " directories disabled\n";
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

    // A file that is no directory database would load as one without directories.
    const std::optional<DatabaseFileCheck> check = checkDatabaseFile(*file);
    if (!check || !check->isDatabase()) {
        err << kProgram << ": " << (check ? *file + " " + check->problem : "cannot read " + *file) << '\n';
        return 1;
    }
    StderrMessageBox messages(kProgram, err, MessageAnswer::No);
    const HostConfiguration hosts = readCheckerHosts(DataFolder::resolve(dataDir, kProgram), messages);
    CDirectoryBackend backend;
    if (!backend.LoadDatabase(*file, messages))
        return 1;
    err << kProgram << ": loaded " << backend.CreateEnumerator()->Count()
        << " directories (enabled and disabled) from " << *file << '\n'
        << std::flush;

    const ConsoleRun run = runToEnd(backend, options, hosts, pause, err, errIsTerminal);
    out << consoleSummary(CheckStatistics::count(run.results), run.stopped) << std::flush;
    return applyAndSave(backend, run.results, applyPageRank, disableBroken, *file, err, messages) ? 0 : 1;
}
