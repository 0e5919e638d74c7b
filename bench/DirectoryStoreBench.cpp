// Loading and merging directory databases of a realistic size: 50,000 main
// directories of 8 items each and 2,000 custom ones, against a bare parse of the
// same XML text as the reference.

#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/StderrMessageBox.h"
#include "common/XmlText.h"
#include "directories/DirectoryStore.h"
#include "directories/Scrambling.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <stdlib.h>

namespace {

std::string directoryElement(const std::string& name, const std::string& host, int number)
{
    std::string text = "<directory name=\"" + name + "\" submiturl=\"http://www." + host
        + "/submit.php?c=" + std::to_string(number) + "\" pr=\"" + std::to_string(number % 11)
        + "\" revision=\"" + std::to_string(number % 40)
        + "\" onsubmit=\"Thank you for your submission\" category=\"Arts,Business,Computers,\">";
    static const char* const fields[8][3] = {
        { "TITLE", "#title#", "edit" },
        { "URL", "#url#", "edit" },
        { "DESCRIPTION", "#desc#", "edit" },
        { "OWNER_NAME", "#name#", "edit" },
        { "OWNER_EMAIL", "#email#", "edit" },
        { "META_KEYWORDS", "#keywords#", "edit" },
        { "CATEGORY_ID", "Computers", "select" },
        { "AGREERULES", "True", "checkbox" },
    };
    for (const auto& field : fields)
        text += std::string("<item name=\"") + field[0] + "\" index=\"0\" value=\"" + field[1] + "\" type=\""
            + field[2] + "\"/>";
    return text + "</directory>";
}

// The generated files, made once per run in a temporary folder.
struct BenchData {
    std::filesystem::path folder;
    std::string mainXml;

    BenchData()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;

        mainXml = "<?xml version=\"1.0\"?>\r\n<rf><latestrevision no=\"40\"/>";
        for (int i = 0; i < 50000; ++i)
            mainXml +=
                directoryElement("Directory " + std::to_string(i), "dir" + std::to_string(i) + ".example", i);
        mainXml += "</rf>";
        std::string customXml = "<?xml version=\"1.0\"?><customdirs>";
        for (int i = 0; i < 2000; ++i) {
            // Half replace main directories by host key, half are new sites.
            const std::string host =
                i % 2 ? "dir" + std::to_string(i * 20) + ".example" : "mine" + std::to_string(i) + ".example";
            customXml += directoryElement("Custom " + std::to_string(i), host, i);
        }
        customXml += "</customdirs>";
        writeFileAtomically(folder / "dirdata.xml", scrambleDatabase(mainXml));
        writeFileAtomically(folder / "customdirdata.xml", customXml);
    }
    ~BenchData() { std::filesystem::remove_all(folder); }
};

BenchData& data()
{
    static BenchData instance;
    return instance;
}

void BM_BareParseOfTheSameText(benchmark::State& state)
{
    const std::string& xml = data().mainXml;
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(parseXmlText(document, xml));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}

void BM_LoadMainScrambled(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    const DataFolder folder(data().folder);
    for (auto _ : state) {
        DirectoryStore store(messages);
        benchmark::DoNotOptimize(store.LoadMain(folder, false));
    }
}

void BM_MergeLoadedCustom(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    DirectoryStore custom(messages, "customdirs");
    custom.Load(data().folder / "customdirdata.xml", true, false);
    DirectoryStore loaded(messages);
    loaded.LoadMain(DataFolder(data().folder), false);
    for (auto _ : state) {
        // Copying the loaded store and freeing it afterwards are not part of the merge.
        state.PauseTiming();
        auto main = std::make_unique<DirectoryStore>(messages);
        for (const auto& [name, record] : loaded.records()) {
            main->AddDirectory(name);
            main->SetSubmitUrl(name, record.submitUrl);
            main->SetItems(name, record.items);
        }
        state.ResumeTiming();
        main->mergeLoadedCustom(custom);
        benchmark::DoNotOptimize(main->records().size());
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}

void BM_MergeCustomWithReload(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    const DataFolder folder(data().folder);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    for (auto _ : state) {
        main.MergeCustom(custom, folder);
        benchmark::DoNotOptimize(main.records().size());
    }
}

} // namespace

BENCHMARK(BM_BareParseOfTheSameText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMainScrambled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeLoadedCustom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeCustomWithReload)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
