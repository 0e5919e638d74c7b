// The list checker's command-line mode over 2,000 directories whose pages
// answer on a loopback server, with PageRank off and no pause: how many
// directories it checks per second, and the process's peak memory afterwards.

#include "checker/CheckCommand.h"
#include "common/AtomicFile.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int kDirectories = 2000;

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
        const int port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
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

} // namespace

BENCHMARK_MAIN();
