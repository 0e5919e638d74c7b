// Learning a list of 100 directories whose sites answer on loopback servers:
// each site's home page links its submission page from a menu among many
// category links, and the submission page holds a phpLD-style form. How long
// the whole list takes with 1, 4 and 8 workers.

#include "custom/DirectoryLearningRun.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr int kDirectories = 100;

std::string homePage(int site)
{
    std::string page = "<!DOCTYPE html><html><head><title>Directory " + std::to_string(site)
        + "</title></head><body><ul id=\"nav\"><li><a href=\"/\">Home</a></li><li><a "
          "href=\"/latest.php\">Latest"
          "</a></li><li><a href=\"/login.php\">Login</a></li><li><a href=\"/submit.php\">Submit Link</a></li>"
          "</ul><table>";
    for (int category = 0; category < 60; ++category)
        page += "<tr><td><a href=\"/category.php?id=" + std::to_string(category) + "\">Category "
            + std::to_string(category) + "</a> (" + std::to_string(category * 7) + ")</td></tr>";
    return page
        + "</table><form action=\"/search.php\"><input name=\"q\"><input type=\"submit\" "
          "value=\"Search\"></form></body></html>";
}

const std::string kSubmitPage = R"(<!DOCTYPE html><html><head><title>Submit Link</title></head><body>
<table><form method="post" action="/submit.php">
<tr><td>Title:</td><td><input name="TITLE" maxlength="100"></td></tr>
<tr><td>URL:</td><td><input name="URL" value="http://"></td></tr>
<tr><td>Description:</td><td><textarea name="DESCRIPTION"></textarea></td></tr>
<tr><td>Your Name:</td><td><input name="OWNER_NAME"></td></tr>
<tr><td>Your Email:</td><td><input name="OWNER_EMAIL"></td></tr>
<tr><td>Category:</td><td><select name="CATEGORY_ID"><option>[Top]</option><option>Arts</option></select></td></tr>
<tr><td>Enter the code shown:</td><td><input name="CAPTCHA"></td></tr>
<tr><td colspan="2"><input type="checkbox" name="AGREERULES"> I agree with the submission rules</td></tr>
<tr><td colspan="2"><input type="submit" value="Continue"></td></tr>
</form></table></body></html>)";

// One directory site on a loopback server of its own, served by one thread.
struct BenchSite {
    httplib::Server server;
    std::thread thread;
    int port = 0;

    explicit BenchSite(int site)
    {
        server.new_task_queue = [] { return new httplib::ThreadPool(1); };
        const std::string home = homePage(site);
        server.Get("/", [home](const httplib::Request&, httplib::Response& response) {
            response.set_content(home, "text/html");
        });
        server.Get("/submit.php", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kSubmitPage, "text/html");
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

class WaitingListener : public DirectoryLearningRun::IListener {
public:
    void onLesson(std::size_t, const DirectoryLesson&) override { }

    void onRunEnded(const LearningSummary& summary) override
    {
        std::lock_guard lock(m_mutex);
        m_summary = summary;
        m_ended = true;
        m_changed.notify_all();
    }

    LearningSummary wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ended; });
        return m_summary;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ended = false;
    LearningSummary m_summary;
};

void LearnHundredDirectories(benchmark::State& state)
{
    std::vector<std::unique_ptr<BenchSite>> sites;
    std::vector<ListedDirectory> directories;
    for (int site = 0; site < kDirectories; ++site) {
        sites.push_back(std::make_unique<BenchSite>(site));
        directories.push_back({ "Directory " + std::to_string(site),
            "http://127.0.0.1:" + std::to_string(sites.back()->port) + "/" });
    }
    std::size_t learned = 0;
    for (auto _ : state) {
        WaitingListener listener;
        DirectoryLearningRun run(
            directories, DirectoryLearner(), &listener, static_cast<std::size_t>(state.range(0)));
        if (!run.start())
            throw std::runtime_error("no worker started");
        const LearningSummary summary = listener.wait();
        run.close();
        learned = summary.learned;
        if (learned != static_cast<std::size_t>(kDirectories)) {
            state.SkipWithError("not every directory was learned");
            break;
        }
    }
    state.counters["directories"] = kDirectories;
    state.counters["learned"] = static_cast<double>(learned);
}
BENCHMARK(LearnHundredDirectories)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
