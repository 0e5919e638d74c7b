// The browser engine of the learner against pages that never settle, open
// alerts and windows, or redirect themselves without end: each is read (or
// given up) within its bounds, and a page built by script is described with
// its links, text and fields.

#include "GuiTestSupport.h"

#include "browser/ui/BrowserProfile.h"
#include "filling/PageDescription.h"
#include "filling/web/EnginePageRenderer.h"
#include "net/LoopbackServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using ::testing::HasSubstr;

namespace {

// Renders on a worker while the engine's loop runs here, as the learner does.
RenderedPage renderFromWorker(EnginePageRenderer& renderer, const std::string& url)
{
    std::packaged_task<RenderedPage()> task([&] { return renderer.render(url, nullptr); });
    std::future<RenderedPage> answer = task.get_future();
    std::thread worker(std::move(task));
    waitUntil([&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 60000);
    worker.join();
    return answer.get();
}

TEST(EnginePageRendererThreadedTest, EveryPageIsReadWithinItsBounds)
{
    LoopbackServer server;
    server.serve("/app", 200, R"(<html><head><title>App</title></head><body><div id="app"></div><script>
document.getElementById('app').innerHTML = '<p>Built by script</p><a href="/submit">Submit your site</a>'
  + '<form><label>Site URL <input type="url"></label></form>';</script></body></html>)",
        "text/html");
    server.serve("/busy", 200, R"(<html><body><p>busy</p><script>
setInterval(() => document.body.appendChild(document.createElement('span')), 50);</script></body></html>)",
        "text/html");
    server.serve("/alerts", 200, R"(<html><body><p>alerts</p><script>
for (let i = 0; i < 100; ++i) alert('hello ' + i); window.open('/app'); setInterval(() => window.open('/app'), 30);
</script></body></html>)",
        "text/html");
    server.serve("/loop.*", 200, R"(<html><body><script>
location.replace('/loop' + Math.random());</script></body></html>)",
        "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();

    BrowserProfile browser({}, {});
    EnginePageRenderer::Bounds bounds;
    bounds.settleLimit = std::chrono::seconds(5);
    EnginePageRenderer renderer(browser, bounds);

    const RenderedPage app = renderFromWorker(renderer, server.url("/app"));
    ASSERT_TRUE(app.ok) << app.failure;
    const RenderedPageRead read = readRenderedPage(app.description);
    EXPECT_EQ(read.page.title, "App");
    EXPECT_THAT(read.page.text, HasSubstr("Built by script"));
    ASSERT_EQ(read.page.links.size(), 1u);
    EXPECT_EQ(read.page.links.front().href, "/submit");
    EXPECT_EQ(read.page.links.front().text, "Submit your site");
    ASSERT_EQ(read.page.forms.fields.size(), 1u);
    EXPECT_EQ(read.page.forms.fields.front().cues.label, "Site URL");

    struct Case {
        const char* path;
        bool ok;
        const char* failure;
    };
    for (const Case& page : { Case { "/busy", true, "" }, Case { "/alerts", true, "" },
             Case { "/loop", false, "redirect without end" } }) {
        const auto started = std::chrono::steady_clock::now();
        const RenderedPage rendered = renderFromWorker(renderer, server.url(page.path));
        EXPECT_EQ(rendered.ok, page.ok) << page.path << ": " << rendered.failure;
        EXPECT_THAT(rendered.failure, HasSubstr(page.failure)) << page.path;
        EXPECT_LT(std::chrono::steady_clock::now() - started, bounds.settleLimit + std::chrono::seconds(10))
            << page.path;
    }
    // Nothing of a page stays once it was read, and the windows it opened were refused.
    QCoreApplication::processEvents();
    EXPECT_TRUE(waitUntil([&] { return renderer.findChildren<QObject*>().isEmpty(); }));
}

} // namespace
