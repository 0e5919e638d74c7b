// The list checker's command-line mode over 2,000 directories whose pages
// answer on a loopback server, with PageRank off and no pause: how many
// directories it checks per second, and the process's peak memory afterwards.
// And its PageRank check of 50,000 directories against a loopback stand-in for
// Open PageRank that answers in the service's format: directories per second
// and the number of requests it took.

#include "checker/CheckCommand.h"
#include "common/AtomicFile.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int kDirectories = 2000;
constexpr int kPageRankDirectories = 50000;

std::filesystem::path temporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// Serves on a loopback port until it goes; the port it listens on.
int serve(httplib::Server& server, std::thread& thread)
{
    const int port = server.bind_to_any_port("127.0.0.1");
    thread = std::thread([&server] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return port;
}

// Open PageRank's getPageRank on loopback: every domain asked is known.
struct BenchOpenPageRank {
    httplib::Server server;
    std::thread thread;
    std::atomic<long> requests { 0 };
    std::filesystem::path folder;
    std::filesystem::path database;

    BenchOpenPageRank()
    {
        server.Get(
            "/api/v1.0/getPageRank", [this](const httplib::Request& request, httplib::Response& response) {
                ++requests;
                nlohmann::json entries = nlohmann::json::array();
                const auto range = request.params.equal_range("domains[]");
                // Every stored PageRank is 3, so every directory counts as a change.
                for (auto it = range.first; it != range.second; ++it)
                    entries.push_back({ { "status_code", 200 }, { "error", "" }, { "page_rank_integer", 5 },
                        { "page_rank_decimal", 5.31 }, { "rank", "1000" }, { "domain", it->second } });
                response.set_content(
                    nlohmann::json({ { "status_code", 200 }, { "response", entries } }).dump(),
                    "application/json");
            });
        const int port = serve(server, thread);
        folder = temporaryFolder();
        std::filesystem::create_directories(folder / "data");
        writeFileAtomically(folder / "data" / "settings.xml",
            "<?xml version=\"1.0\"?><settings><openpagerankkey>bench</openpagerankkey><openpagerankurl>"
            "http://127.0.0.1:"
                + std::to_string(port) + "</openpagerankurl></settings>");
        std::string xml = "<?xml version=\"1.0\"?>\n<customdirs>\n";
        for (int i = 0; i < kPageRankDirectories; ++i)
            xml += "\t<directory name=\"Directory " + std::to_string(i) + "\" submiturl=\"http://www.dir"
                + std::to_string(i) + ".example/submit.php\" pr=\"3\" />\n";
        database = folder / "customdirdata.xml";
        writeFileAtomically(database, xml + "</customdirs>\n");
    }

    ~BenchOpenPageRank()
    {
        server.stop();
        thread.join();
        std::filesystem::remove_all(folder);
    }
};

// A loopback server answering every page, and a database of directories on it.
struct BenchSite {
    httplib::Server server;
    std::thread thread;
    std::filesystem::path folder;
    std::filesystem::path database;

    BenchSite()
    {
        server.Get(R"(/.*)", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<form></form>", "text/html");
        });
        const int port = serve(server, thread);
        folder = temporaryFolder();
        std::string xml = "<?xml version=\"1.0\"?>\n<customdirs>\n";
        for (int i = 0; i < kDirectories; ++i)
            xml += "\t<directory name=\"Directory " + std::to_string(i)
                + "\" submiturl=\"http://127.0.0.1:" + std::to_string(port) + "/submit" + std::to_string(i)
                + ".php\" pr=\"" + std::to_string(i % 11) + "\" />\n";
        database = folder / "customdirdata.xml";
        writeFileAtomically(database, xml + "</customdirs>\n");
    }

    ~BenchSite()
    {
        server.stop();
        thread.join();
        std::filesystem::remove_all(folder);
    }
};

void BM_CommandLineCheck(benchmark::State& state)
{
    ::setenv("no_proxy", "127.0.0.1", 1);
    BenchSite site;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCheckCommand({ "--check", site.database.string(), "--no-pr", "--pause-ms", "0",
                                             "--data-dir", site.folder.string() },
            out, err);
        if (code != 0)
            state.SkipWithError("the check failed");
        benchmark::DoNotOptimize(out.str());
    }
    state.SetItemsProcessed(state.iterations() * kDirectories);
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_CommandLineCheck)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// PageRank only, as a list checker run over a large list does it with Open PageRank.
void BM_OpenPageRankCheck(benchmark::State& state)
{
    ::setenv("no_proxy", "127.0.0.1", 1);
    BenchOpenPageRank service;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = runCheckCommand(
            { "--check", service.database.string(), "--no-alive", "--data-dir", service.folder.string() },
            out, err);
        // The command line prints what the check found ("PageRank changes found: N"),
        // not the window's summary of what was saved.
        const std::string found = "PageRank changes found: " + std::to_string(kPageRankDirectories) + "\n";
        if (code != 0 || out.str().find(found) == std::string::npos)
            state.SkipWithError("the check did not update every PageRank");
    }
    state.SetItemsProcessed(state.iterations() * kPageRankDirectories);
    state.counters["directories"] = kPageRankDirectories;
    state.counters["requests_per_run"] =
        static_cast<double>(service.requests) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OpenPageRankCheck)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
