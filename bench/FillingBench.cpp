// The core of one page fill: Fill page and then Fill category over the model of
// a page of 1,000 fields with a form description of 100 items; and the same
// with the page description's JSON read first, as the browser bridge does it.

#include "FillingBenchPage.h"

#include "common/IClipboard.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "common/SystemRandomSource.h"
#include "directories/DirectoryStore.h"
#include "filling/FormDocumentModel.h"
#include "filling/PageDescription.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "profiles/ProfileStore.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

namespace {

class NoClipboard : public IClipboard {
public:
    void setText(const std::string&) override { }
};

// The page as the bridge's description script would report it.
std::string descriptionJson()
{
    nlohmann::json elements = nlohmann::json::array();
    for (int i = 0; i < bench::kInputs; ++i) {
        const bool box = bench::isCheckBox(i);
        const std::string name = bench::numbered(box ? "c" : "f", i);
        const std::string type = box ? "checkbox" : "text";
        elements.push_back({ { "tag", "input" }, { "name", name }, { "id", "" }, { "type", type },
            { "html", "<input type=\"" + type + "\" name=\"" + name + "\">" }, { "value", "" },
            { "checked", false }, { "form", 0 } });
    }
    for (int i = 0; i < bench::kTextAreas; ++i)
        elements.push_back({ { "tag", "textarea" }, { "name", bench::numbered("t", i) }, { "id", "" },
            { "value", "" }, { "form", 0 } });
    for (int i = 0; i < bench::kSelects; ++i) {
        nlohmann::json options = nlohmann::json::array();
        for (int option = 0; option < bench::kOptions; ++option)
            options.push_back(bench::optionText(option));
        elements.push_back({ { "tag", "select" }, { "name", bench::numbered("s", i) }, { "id", "" },
            { "options", options }, { "selected", 0 }, { "form", 0 } });
    }
    return nlohmann::json({ { "token", "bench" }, { "elements", elements } }).dump();
}

// A filler for the directory "Dir" that holds the benchmark's form items.
struct Filling {
    StderrMessageBox messages { "vantelo-bench" };
    DirectoryStore directories { messages };
    SendingProfile::ProfileStore profiles { messages };
    SystemRandomSource random;
    SystemClock clock;
    NoClipboard clipboard;
    PageFiller filler { directories, profiles, random, clock, messages, clipboard };
    SendingProfile::SiteProfile profile = bench::profile();

    Filling()
    {
        directories.AddDirectory("Dir");
        directories.SetItems("Dir", bench::formItems());
    }

    void fill(FormDocumentModel& page)
    {
        TabFillState tab;
        tab.directoryName = "Dir";
        filler.fillPage(page, profile, tab);
        filler.fillCategory(page, profile, tab);
        benchmark::DoNotOptimize(page.writes().data());
    }
};

void BM_FillPageAndCategory(benchmark::State& state)
{
    Filling filling;
    const FormDocumentModel described = readPageDescription(descriptionJson());
    for (auto _ : state) {
        state.PauseTiming();
        FormDocumentModel page = described;
        state.ResumeTiming();
        filling.fill(page);
    }
}
BENCHMARK(BM_FillPageAndCategory)->Unit(benchmark::kMillisecond);

void BM_ReadDescriptionAndFill(benchmark::State& state)
{
    Filling filling;
    const std::string json = descriptionJson();
    for (auto _ : state) {
        FormDocumentModel page = readPageDescription(json);
        filling.fill(page);
    }
}
BENCHMARK(BM_ReadDescriptionAndFill)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
