// A whole fill of a browser page (describe, Fill page and Fill category, with
// and without the recognition of fields, replay the writes) against one bare
// description round trip of the same page: 1,000 labelled fields, a form
// description of 100 items, in an offscreen Qt WebEngine page.

#include "FillingBenchPage.h"

#include "autofill/FieldRecognizer.h"
#include "common/IClipboard.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "directories/DirectoryStore.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "filling/web/FillingWebPage.h"
#include "filling/web/WebFormBridge.h"
#include "profiles/ProfileStore.h"

#include <QApplication>
#include <QEventLoop>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {

class NoClipboard : public IClipboard {
public:
    void setText(const std::string&) override { }
};

// Starts an operation and runs the event loop until the operation calls the
// function it was given.
void runToEnd(const std::function<void(const std::function<void()>&)>& start)
{
    QEventLoop loop;
    bool finished = false;
    start([&] {
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
}

// The benchmark page loaded once into an offscreen browser page.
struct LoadedPage {
    FillingWebPage page;
    WebFormBridge bridge { &page };

    LoadedPage()
    {
        bool ok = false;
        runToEnd([&](const std::function<void()>& finish) {
            QObject::connect(
                &page, &QWebEnginePage::loadFinished, &page,
                [&ok, finish](bool success) {
                    ok = success;
                    finish();
                },
                Qt::SingleShotConnection);
            page.setHtml(
                QString::fromStdString(bench::pageHtml()), QUrl(QStringLiteral("http://bench.example/add")));
        });
        if (!ok)
            throw std::runtime_error("the benchmark page did not load");
    }
};

LoadedPage& loadedPage()
{
    static LoadedPage page;
    return page;
}

// Puts the fields back as the page gave them and lets the page lay itself out
// again, as a page that has just loaded is, so that every fill finds it afresh.
void resetPage(benchmark::State& state)
{
    state.PauseTiming();
    runToEnd([](const std::function<void()>& finish) {
        loadedPage().page.runJavaScript(
            QStringLiteral("document.forms[0].reset(); document.body.offsetHeight;"),
            [finish](const QVariant&) { finish(); });
    });
    state.ResumeTiming();
}

void BM_DescribeRoundTrip(benchmark::State& state)
{
    WebFormBridge& bridge = loadedPage().bridge;
    for (auto _ : state) {
        runToEnd([&](const std::function<void()>& finish) {
            bridge.describe([&, finish](WebPageDescription description) {
                benchmark::DoNotOptimize(description.model.elements().data());
                finish();
            });
        });
    }
}
BENCHMARK(BM_DescribeRoundTrip)->Unit(benchmark::kMillisecond);

// The whole fill a tab runs after a load; with a recogniser, the fields that no
// item names are recognised and filled too (several hundred on this page).
void wholeFill(benchmark::State& state, const FieldRecognizer* recognizer)
{
    StderrMessageBox messages("vantelo-bench");
    DirectoryStore directories(messages);
    directories.AddDirectory("Dir");
    directories.SetItems("Dir", bench::formItems());
    SendingProfile::ProfileStore profiles(messages);
    SystemRandomSource random;
    SystemClock clock;
    NoClipboard clipboard;
    const PageFiller filler(directories, profiles, random, clock, messages, clipboard);
    const SendingProfile::SiteProfile profile = bench::profile();
    WebFormBridge& bridge = loadedPage().bridge;
    int applied = 0;
    int recognised = 0;
    for (auto _ : state) {
        resetPage(state);
        TabFillState tab;
        tab.directoryName = "Dir";
        runToEnd([&](const std::function<void()>& finish) {
            bridge.run(
                [&](FormDocumentModel& page) {
                    filler.fillPage(page, profile, tab);
                    filler.fillCategory(page, profile, tab);
                    if (recognizer)
                        recognised = filler.fillRecognised(page, *recognizer, profile, tab);
                },
                [&, finish](const WebFormRun& run) {
                    applied = run.applied;
                    finish();
                });
        });
    }
    state.counters["writes applied"] = applied;
    state.counters["fields recognised"] = static_cast<double>(recognised);
}

void BM_WholeBridgeFill(benchmark::State& state)
{
    wholeFill(state, nullptr);
}
BENCHMARK(BM_WholeBridgeFill)->Unit(benchmark::kMillisecond);

void BM_WholeFillWithRecognition(benchmark::State& state)
{
    wholeFill(state, &FieldRecognizer::shipped());
}
BENCHMARK(BM_WholeFillWithRecognition)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
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
