// Learning 20 directories whose home pages and submission pages are built by
// script, each site on a loopback server of its own: the fetched pages hold
// nothing to learn from, so every directory is loaded in the browser engine
// (at most two pages at once). The time per directory is the figure.

#include "browser/ui/BrowserProfile.h"
#include "custom/DirectoryLearningRun.h"
#include "filling/web/EnginePageRenderer.h"

#include <QApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kDirectories = 20;

// The page of every path: a script builds the menu, and on /submit the form.
const std::string kAppPage = R"(<!DOCTYPE html><html><head><title>Script Directory</title></head><body>
<div id="app"></div><script>
const app = document.getElementById('app');
if (location.pathname === '/submit') {
  app.innerHTML = '<h1>Add your site</h1><form><label>Site title <input data-k="t"></label>'
    + '<label>Site URL <input type="url" data-k="u"></label><label>Description <textarea></textarea></label>'
    + '<button type="submit">Submit</button></form>';
} else {
  app.innerHTML = '<nav><a href="/">Home</a> <a href="/submit">Submit your site</a></nav>';
}
</script></body></html>)";

struct BenchSite {
    httplib::Server server;
    std::thread thread;
    int port = 0;

    BenchSite()
    {
        server.new_task_queue = [] { return new httplib::ThreadPool(2); };
        server.Get(".*", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Connection", "close");
            response.set_content(kAppPage, "text/html");
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~BenchSite()
    {
        server.stop();
        thread.join();
    }
};

// Hands the end of the run to the engine's thread, whose loop waits for it.
class LoopListener : public DirectoryLearningRun::IListener {
public:
    explicit LoopListener(QEventLoop& loop)
        : m_loop(loop)
    {
    }

    void onLesson(std::size_t, const DirectoryLesson&) override { }
    void onRunEnded(const LearningSummary& summary) override
    {
        learned = summary.learned;
        QMetaObject::invokeMethod(&m_loop, &QEventLoop::quit, Qt::QueuedConnection);
    }

    std::size_t learned = 0;

private:
    QEventLoop& m_loop;
};

void LearnTwentyRenderedDirectories(benchmark::State& state)
{
    std::vector<std::unique_ptr<BenchSite>> sites;
    std::vector<ListedDirectory> directories;
    for (int site = 0; site < kDirectories; ++site) {
        sites.push_back(std::make_unique<BenchSite>());
        directories.push_back({ "Directory " + std::to_string(site),
            "http://127.0.0.1:" + std::to_string(sites.back()->port) + "/" });
    }
    BrowserProfile browser({}, {});
    EnginePageRenderer renderer(browser);
    DiscoveryLimits limits;
    limits.renderer = &renderer;
    std::size_t learned = 0;
    for (auto _ : state) {
        QEventLoop loop;
        LoopListener listener(loop);
        DirectoryLearningRun run(directories, DirectoryLearner(limits), &listener, 4);
        run.start();
        loop.exec();
        run.close();
        learned = listener.learned;
        if (learned != static_cast<std::size_t>(kDirectories)) {
            state.SkipWithError("not every directory was learned");
            break;
        }
    }
    state.counters["learned"] = static_cast<double>(learned);
    // Seconds per directory: the run's time over the directories it learned.
    state.counters["per_directory_s"] = benchmark::Counter(
        kDirectories, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(LearnTwentyRenderedDirectories)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
