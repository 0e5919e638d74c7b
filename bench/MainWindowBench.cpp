// The main window from construction until it is shown, on a data folder with
// 50,000 directories and a profile of 10,000 entries, and on an empty one;
// until its directory list is filled, which happens right after it shows; and
// on the 50,000 rows, a rebuild of the directory table and a click on one of
// its headers.

#include "MainWindowBenchData.h"

#include "app/ui/CQuenlarDlg.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "browser/ui/BrowserProfile.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QHeaderView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

// Settings that keep the window off the network.
const char* const kQuietSettings =
    "<?xml version=\"1.0\"?><settings><autoupdate>false</autoupdate><autosave>false</autosave></settings>";

struct DataFolders {
    bench::TemporaryFolder empty;
    bench::TemporaryFolder large;

    DataFolders()
    {
        bench::writeLargeDataFolder(large.path());
        for (const bench::TemporaryFolder* folder : { &empty, &large }) {
            std::filesystem::create_directories(folder->path() / "data");
            writeFileAtomically(folder->path() / "data" / "settings.xml", kQuietSettings);
        }
    }
};

DataFolders& folders()
{
    static DataFolders instance;
    return instance;
}

using Clock = std::chrono::steady_clock;

// From construction until the window is first painted; with `ready`, until its
// list is filled too.
void showWindow(benchmark::State& state, const std::filesystem::path& folder, bool ready = false)
{
    StderrMessageBox messages("vantelo-bench");
    SystemClock clock;
    SystemRandomSource random;
    // A throw-away browser profile: nothing of one run is kept for the next.
    BrowserProfile browser({}, BrowserProfile::Seams { nullptr, nullptr, &messages });
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::optional<Clock::time_point> end;
        auto window = std::make_unique<CQuenlarDlg>(messages, clock, random, DataFolder(folder), browser);
        if (!ready)
            QObject::connect(window.get(), &CQuenlarDlg::firstPainted, [&end] { end = Clock::now(); });
        window->show();
        QDeadlineTimer deadline(60000);
        while (!(ready ? window->isLoaded() : end.has_value()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (ready)
            end = Clock::now();
        if (deadline.hasExpired())
            state.SkipWithError("the window was not shown");
        state.SetIterationTime(std::chrono::duration<double>(*end - start).count());
        window.reset();
        QCoreApplication::processEvents();
    }
}

void BM_ShowWindowEmptyDatabase(benchmark::State& state)
{
    showWindow(state, folders().empty.path());
}

void BM_ShowWindowLargeDatabase(benchmark::State& state)
{
    showWindow(state, folders().large.path());
}

void BM_WindowReadyEmptyDatabase(benchmark::State& state)
{
    showWindow(state, folders().empty.path(), true);
}

void BM_WindowReadyLargeDatabase(benchmark::State& state)
{
    showWindow(state, folders().large.path(), true);
}

// A ready window on the large folder, its directories rated as a list rates them.
struct ReadyWindow {
    StderrMessageBox messages { "vantelo-bench" };
    SystemClock clock;
    SystemRandomSource random;
    BrowserProfile browser { {}, BrowserProfile::Seams { nullptr, nullptr, &messages } };
    std::unique_ptr<CQuenlarDlg> window;

    ReadyWindow()
    {
        window = std::make_unique<CQuenlarDlg>(
            messages, clock, random, DataFolder(folders().large.path()), browser);
        window->show();
        QDeadlineTimer deadline(60000);
        while (!window->isLoaded() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        for (int i = 0; i < bench::kDirectories; ++i)
            window->state().directories().SetListFacts(bench::directoryName(i), bench::listFacts(i));
    }
};

// From the request until the table has been built and painted again.
template <typename Change> void changeTable(benchmark::State& state, Change change)
{
    ReadyWindow ready;
    QHeaderView* header = ready.window->findChild<DirectoryPanel*>(QStringLiteral("directoryPanel"))
                              ->list()
                              ->horizontalHeader();
    bool flip = false;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        change(*ready.window, *header, flip = !flip);
        QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["rows"] = static_cast<double>(ready.window->directoryList().model().rowCount());
}

// What a search, a filter or a change of profile runs: the whole table anew.
void BM_TableBuildLargeDatabase(benchmark::State& state)
{
    changeTable(
        state, [](CQuenlarDlg& window, QHeaderView&, bool) { window.directoryList().populate(false); });
}

// A click on the Rating header, then on the PR header, and so on.
void BM_TableSortLargeDatabase(benchmark::State& state)
{
    changeTable(state, [](CQuenlarDlg&, QHeaderView& header, bool byRating) {
        const DirectoryColumn column = byRating ? DirectoryColumn::Rating : DirectoryColumn::PageRank;
        header.setSortIndicator(static_cast<int>(column), Qt::DescendingOrder);
    });
}

// The first window starts the browser engine; the figures that compare come after it.
void BM_ShowWindowFirstStart(benchmark::State& state)
{
    showWindow(state, folders().empty.path());
}

BENCHMARK(BM_ShowWindowFirstStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_ShowWindowEmptyDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ShowWindowLargeDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_WindowReadyEmptyDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_WindowReadyLargeDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_TableBuildLargeDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_TableSortLargeDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QT_LOGGING_RULES", "qt.webenginecontext=false", 0);
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
