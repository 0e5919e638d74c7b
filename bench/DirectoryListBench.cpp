// Building the directory list: 50,000 directories with the active profile's
// 10,000 entries, in the start-up order (PageRank descending), by status, by
// the lists' rating and by date, the "To do" filter, and a search that keeps a
// tenth of the rows.

#include "MainWindowBenchData.h"

#include "app/DirectoryList.h"
#include "common/StderrMessageBox.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"

#include <benchmark/benchmark.h>

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
    DirectoryList list;
    for (auto _ : state) {
        list = buildDirectoryList(stores().directories, stores().profiles, query);
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

} // namespace

BENCHMARK_MAIN();
