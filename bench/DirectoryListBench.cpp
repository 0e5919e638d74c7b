// Building the directory list: 50,000 directories with the active profile's
// 10,000 entries, in the start-up order (PageRank descending), by status, by
// the lists' rating and by date, the "To do" filter, and a search that keeps a
// tenth of the rows. And the first build after start-up, the one a user waits
// for, alone in a fresh process each time.

#include "MainWindowBenchData.h"

#include "app/DirectoryList.h"
#include "app/MainWindowState.h"
#include "common/StderrMessageBox.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct LoadedStores {
    bench::TemporaryFolder folder;
    StderrMessageBox messages { "vantelo-bench" };
    DirectoryStore directories { messages };
    SendingProfile::ProfileStore profiles { messages };

    LoadedStores()
    {
        bench::writeLargeDataFolder(folder.path());
        directories.Load(folder.path() / "dirdata.xml", false, false);
        profiles.Open(folder.path() / "sv.xml");
        for (int i = 0; i < bench::kDirectories; ++i)
            directories.SetListFacts(bench::directoryName(i), bench::listFacts(i));
    }
};

LoadedStores& stores()
{
    static LoadedStores instance;
    return instance;
}

void buildList(benchmark::State& state, DirectorySort sort, const std::string& search = {},
    bool profile = true, std::vector<SendingProfile::DirectoryState> states = {})
{
    DirectoryListQuery query;
    if (profile)
        query.profile = bench::kProfile;
    query.sort = sort;
    query.searchText = search;
    query.states = std::move(states);
    // Loaded before the timing starts: the first benchmark would count the loading otherwise.
    const LoadedStores& loaded = stores();
    DirectoryList list;
    for (auto _ : state) {
        list = buildDirectoryList(loaded.directories, loaded.profiles, query);
        benchmark::DoNotOptimize(list.rows.data());
    }
    state.counters["rows"] = static_cast<double>(list.rows.size());
    state.counters["sent"] = list.sentCount;
}

void BM_BuildListPrDescending(benchmark::State& state)
{
    buildList(state, DirectorySort::PrDescending);
}
BENCHMARK(BM_BuildListPrDescending)->Unit(benchmark::kMillisecond);

void BM_BuildListByStatus(benchmark::State& state)
{
    buildList(state, DirectorySort::Status);
}
BENCHMARK(BM_BuildListByStatus)->Unit(benchmark::kMillisecond);

// The same list without an active profile: no profile questions at all.
void BM_BuildListWithoutProfile(benchmark::State& state)
{
    buildList(state, DirectorySort::PrDescending, {}, false);
}
BENCHMARK(BM_BuildListWithoutProfile)->Unit(benchmark::kMillisecond);

void BM_BuildListByRating(benchmark::State& state)
{
    buildList(state, DirectorySort::RatingDescending);
}
BENCHMARK(BM_BuildListByRating)->Unit(benchmark::kMillisecond);

void BM_BuildListByDate(benchmark::State& state)
{
    buildList(state, DirectorySort::DateDescending);
}
BENCHMARK(BM_BuildListByDate)->Unit(benchmark::kMillisecond);

void BM_BuildListToDo(benchmark::State& state)
{
    buildList(state, DirectorySort::RatingDescending, {}, true, { SendingProfile::DirectoryState::New });
}
BENCHMARK(BM_BuildListToDo)->Unit(benchmark::kMillisecond);

void BM_BuildListSearching(benchmark::State& state)
{
    buildList(state, DirectorySort::PrDescending, "DIR1");
}
BENCHMARK(BM_BuildListSearching)->Unit(benchmark::kMillisecond);

const char* const kSettings = "<?xml version=\"1.0\"?><settings><autosave>false</autosave></settings>";

// The argument that makes the program the child of BM_FirstBuildAfterStartUp.
constexpr std::string_view kFirstBuildChild = "--first-build-child=";

// In the child: loads the data folder as the window does at start-up, rates
// the directories as a list does, and prints how long the first build took,
// with its rows and sent rows.
int runFirstBuild(const std::filesystem::path& folder)
{
    StderrMessageBox messages("vantelo-bench");
    MainWindowState state(messages, DataFolder(folder));
    state.load();
    for (int i = 0; i < bench::kDirectories; ++i)
        state.directories().SetListFacts(bench::directoryName(i), bench::listFacts(i));
    DirectoryListQuery query;
    query.profile = state.active().name();
    query.sort = DirectorySort::PrDescending;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startCpu = std::clock();
    const DirectoryList list = buildDirectoryList(state.directories(), state.profiles(), query);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const double cpu = static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
    std::printf("%.9f %.9f %zu %d\n", took.count(), cpu, list.rows.size(), list.sentCount);
    return 0;
}

struct ChildResult {
    double seconds = 0;
    double cpuSeconds = 0; // the processor time of the build, which a loaded machine does not stretch
    std::size_t rows = 0;
    int sent = 0;
};

// Runs this program as the child on the folder and reads what it printed.
std::optional<ChildResult> firstBuildInChild(const std::filesystem::path& folder)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string argument = std::string(kFirstBuildChild) + folder.string();
    char program[] = "/proc/self/exe";
    char* arguments[] = { program, argument.data(), nullptr };
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t got; spawned == 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return std::nullopt;
    ChildResult result;
    if (std::sscanf(
            output.c_str(), "%lf %lf %zu %d", &result.seconds, &result.cpuSeconds, &result.rows, &result.sent)
        != 4)
        return std::nullopt;
    return result;
}

// The build the window runs right after it has loaded the data folder: nothing
// of an earlier build is warm, neither the stores' indexes nor the heap.
void BM_FirstBuildAfterStartUp(benchmark::State& state)
{
    bench::TemporaryFolder folder;
    bench::writeLargeDataFolder(folder.path());
    std::filesystem::create_directories(folder.path() / "data");
    writeFileAtomically(folder.path() / "data" / "settings.xml", kSettings);
    ChildResult result;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const std::optional<ChildResult> child = firstBuildInChild(folder.path());
        if (!child) {
            state.SkipWithError("the child process failed");
            break;
        }
        result = *child;
        cpuSeconds += result.cpuSeconds;
        state.SetIterationTime(result.seconds);
    }
    state.counters["rows"] = static_cast<double>(result.rows);
    state.counters["sent"] = result.sent;
    state.counters["cpu_ms"] =
        1000 * cpuSeconds / static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
}
BENCHMARK(BM_FirstBuildAfterStartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]).starts_with(kFirstBuildChild))
        return runFirstBuild(std::string_view(argv[1]).substr(kFirstBuildChild.size()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
