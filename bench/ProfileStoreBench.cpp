// The questions the directory list asks for every row, on a realistic profile
// file: 50,000 directories, an active profile with 10,000 entries (a third of
// them approved), 1,000 profile colours, 1,000 global colours and 1,000 custom
// texts. Answered by the store (from its index), and by one XPath evaluation per
// question on the same document as the reference. Besides: opening that file,
// recording a submission in it, and importing an sv.dat.

#include "common/AtomicFile.h"
#include "common/StderrMessageBox.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileQueries.h"
#include "profiles/ProfileStore.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <vector>

using SendingProfile::ProfileQueries;
using SendingProfile::ProfileStore;

namespace {

constexpr int kDirectories = 50000;
constexpr const char* kProfile = "My Site";

struct Row {
    std::string name;
    std::string url;
};

std::string entryElement(const Row& row, bool approved)
{
    return std::string("<submittedto") + (approved ? " approved=\"yes\"" : "") + "><friendlyname>" + row.name
        + "</friendlyname><url>" + row.url + "</url><title>My Site - the best widgets</title>"
        + "<description>Widgets of every kind, made to order.</description><keywords>widgets, "
          "gadgets</keywords>"
        + "<datetime>05 March 2021</datetime></submittedto>";
}

std::string profileElement(const std::string& name, const std::vector<Row>& rows, int every, int colourOffset)
{
    std::string text = "<profile><name>" + name
        + "</name><url>http://www.mysite.example/</url>"
          "<email>me@mysite.example</email><fname>Jo</fname><lname>Doe</lname><username>jo</username>"
          "<password>secret</password><address>1 Main St</address><city>Springfield</city><zip>12345</zip>"
          "<province>IL</province><reciprocal/><reciprocalconfig/><reciprocalpassword/>"
          "<reciprocalmethod>0</reciprocalmethod><categories>Business</categories><subcategories/>"
          "<description>Widgets.</description><keywords>widgets</keywords><title>My Site</title>";
    for (int i = 0; i < kDirectories; i += every)
        text += entryElement(rows[i], (i / every) % 3 == 0);
    for (int i = colourOffset; i < kDirectories; i += 50)
        text += "<customcolor directory=\"" + rows[i].name + "\">12632256</customcolor>";
    return text + "</profile>";
}

// The generated rows and profile file, made once per run in a temporary folder.
struct BenchData {
    std::filesystem::path folder;
    std::vector<Row> rows;

    BenchData()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
        for (int i = 0; i < kDirectories; ++i)
            rows.push_back({ "Directory " + std::to_string(i),
                "http://www.dir" + std::to_string(i) + ".example/submit.php?c=" + std::to_string(i) });

        std::string xml = "<?xml version=\"1.0\"?>\n<profiles><activeProfile>My Site</activeProfile>";
        xml += profileElement(kProfile, rows, 5, 1);
        xml += profileElement("Other Site", rows, 25, 4);
        for (int i = 2; i < kDirectories; i += 50)
            xml += "<customcolor directory=\"" + rows[i].name + "\">255</customcolor>";
        for (int i = 3; i < kDirectories; i += 50)
            xml +=
                "<customtext directory=\"" + rows[i].name + "\">Needs a reciprocal link first</customtext>";
        xml += "</profiles>";
        writeFileAtomically(folder / "sv.xml", xml);

        std::string svdat =
            "2\nImported\n1\nImported\nhttp://i.example/\n1\nt\n1\nd\nc\ns\n1\nk\ne\nf\nl\nu\np\n2000\n";
        for (int i = 0; i < 2000; ++i)
            svdat += rows[i * 7].name + "\n";
        writeFileAtomically(folder / "sv.dat", svdat);
    }
    ~BenchData() { std::filesystem::remove_all(folder); }
};

BenchData& data()
{
    static BenchData instance;
    return instance;
}

// What one list row shows; summed so that no question is optimised away.
struct RowCounts {
    int submitted = 0;
    int approved = 0;
    int dated = 0;
    int coloured = 0;
    int texts = 0;
};

void askStore(const ProfileStore& store, const Row& row, RowCounts& counts)
{
    std::string date;
    std::string text;
    std::uint32_t color = 0;
    counts.submitted += store.IsSubmitted(kProfile, row.name, row.url);
    counts.approved += store.IsApproved(kProfile, row.name, row.url);
    counts.dated += store.GetSubmissionDate(kProfile, row.name, date);
    counts.coloured += store.GetCustomColor(kProfile, row.name, color);
    counts.coloured += store.GetCustomColor("", row.name, color);
    counts.texts += store.GetCustomText(row.name, text);
}

void reportCounts(benchmark::State& state, const RowCounts& counts, int rows)
{
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * rows);
    state.counters["submitted"] = counts.submitted;
    state.counters["approved"] = counts.approved;
    state.counters["coloured"] = counts.coloured;
    state.counters["texts"] = counts.texts;
}

void BM_OpenProfileFile(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    for (auto _ : state) {
        ProfileStore store(messages);
        benchmark::DoNotOptimize(store.Open(data().folder / "sv.xml"));
    }
}

// 50,000 rows x six questions with the index already built: the list redrawn
// for another keystroke in the search box.
void BM_ListRowsFromTheIndex(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    ProfileStore store(messages);
    store.Open(data().folder / "sv.xml");
    RowCounts counts;
    for (auto _ : state) {
        counts = {};
        for (const Row& row : data().rows)
            askStore(store, row, counts);
    }
    reportCounts(state, counts, kDirectories);
}

// The same after a change of the document, so the index is rebuilt first: the
// list redrawn after "Mark as Sent" or a new colour.
void BM_ListRowsAfterAChange(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    ProfileStore store(messages);
    store.Open(data().folder / "sv.xml");
    RowCounts counts;
    int change = 0;
    for (auto _ : state) {
        state.PauseTiming();
        store.SetCustomText("Changed directory", std::to_string(++change));
        state.ResumeTiming();
        counts = {};
        for (const Row& row : data().rows)
            askStore(store, row, counts);
    }
    reportCounts(state, counts, kDirectories);
}

// The six questions as one XPath evaluation each, compiled once with bound
// variables, on every 251st row (all 50,000 would take minutes per iteration);
// the step is prime to 5 and 50, so the sample mixes rows of every kind.
void BM_ListRowsByXPath(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    ProfileStore store(messages);
    store.Open(data().folder / "sv.xml");
    const pugi::xml_document& document = store.document();
    pugi::xpath_variable_set variables;
    variables.set("profile", kProfile);
    variables.set("directory", "");
    variables.set("url", "");
    const char* entry = "profiles/profile[name = $profile]/submittedto"
                        "[friendlyname = $directory or ($url != '' and url = $url)]";
    const pugi::xpath_query submitted(entry, &variables);
    const pugi::xpath_query approved((std::string(entry) + "/@approved").c_str(), &variables);
    const pugi::xpath_query date(ProfileQueries::kEntryDate, &variables);
    const pugi::xpath_query profileColor(ProfileQueries::kProfileColor, &variables);
    const pugi::xpath_query globalColor(ProfileQueries::kGlobalColor, &variables);
    const pugi::xpath_query text(ProfileQueries::kCustomText, &variables);

    constexpr int kStep = 251;
    int rows = 0;
    RowCounts counts;
    for (auto _ : state) {
        counts = {};
        rows = 0;
        for (int i = 0; i < kDirectories; i += kStep, ++rows) {
            variables.set("directory", data().rows[i].name.c_str());
            variables.set("url", data().rows[i].url.c_str());
            counts.submitted += bool(submitted.evaluate_node(document));
            counts.approved += bool(approved.evaluate_node(document));
            counts.dated += bool(date.evaluate_node(document));
            counts.coloured += bool(profileColor.evaluate_node(document));
            counts.coloured += bool(globalColor.evaluate_node(document));
            const pugi::xpath_node found = text.evaluate_node(document);
            counts.texts += found && found.node().text();
        }
    }
    reportCounts(state, counts, rows);
}

// One submission recorded and removed again in the 10,000-entry profile.
void BM_AddAndRemoveSubmission(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    ProfileStore store(messages);
    store.Open(data().folder / "sv.xml");
    for (auto _ : state) {
        store.AddSubmission(kProfile, "New directory", "http://new.example/", "t", "k", "d", "05 March 2021");
        store.RemoveSubmission(kProfile, "New directory", "http://new.example/");
    }
}

// An sv.dat profile with 2,000 submitted directories imported into an empty store.
void BM_ImportSvDat(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    DirectoryStore directories(messages);
    for (int i = 0; i < kDirectories; i += 7) {
        directories.AddDirectory(data().rows[i].name);
        directories.SetSubmitUrl(data().rows[i].name, data().rows[i].url);
    }
    for (auto _ : state) {
        ProfileStore store(messages);
        std::string active;
        benchmark::DoNotOptimize(store.ImportSvDat(data().folder / "sv.dat", true, active, directories));
    }
}

} // namespace

BENCHMARK(BM_OpenProfileFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListRowsFromTheIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListRowsAfterAChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListRowsByXPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddAndRemoveSubmission)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportSvDat)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
