// Reading a directory list file of 100,000 lines in the four shapes plain lists
// take (address alone, name and address, quoted name with a semicolon, address
// and name), and a CSV list of 100,000 rows with a header as lists are shared
// today (name, address, rating, link type, pricing, category, description), each
// against a bare line-by-line read of the same file as the reference.

#include "common/AtomicFile.h"
#include "common/StderrMessageBox.h"
#include "custom/DirectoryListFile.h"
#include "custom/DirectoryListReader.h"
#include "custom/ListText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <vector>

namespace {

constexpr int kLines = 100'000;

// The fastest repetition: on a shared machine the others mostly measure the neighbours.
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

std::string listLine(int number)
{
    const std::string n = std::to_string(number);
    switch (number % 4) {
    case 0:
        return "http://www.site" + n + ".com/submit.php";
    case 1:
        return "Directory " + n + ",http://www.site" + n + ".com/add.php";
    case 2:
        return "\"Site" + n + "\";www.site" + n + ".org";
    default:
        return "http://site" + n + ".net/links/, Links " + n;
    }
}

std::string csvRow(int number)
{
    const std::string n = std::to_string(number);
    const char* linkTypes[] = { "dofollow", "nofollow", "Do-follow" };
    const char* pricing[] = { "Free", "Paid", "Freemium", "$29" };
    // Every fifth description holds a comma and is quoted, as spreadsheets write it.
    const std::string description = number % 5 == 0 ? "\"Lists startups, tools and apps, " + n + "\""
                                                    : "A directory of products number " + n;
    return "Directory " + n + ",https://www.site" + n + ".com/submit," + std::to_string(number % 101) + ","
        + linkTypes[number % 3] + "," + pricing[number % 4] + ",\xF0\x9F\x9A\x80 Startup Directory,"
        + description;
}

// The list files, written once per run into a temporary folder.
struct BenchData {
    std::filesystem::path folder;
    std::filesystem::path list;
    std::filesystem::path csv;

    BenchData()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
        list = folder / "list.csv";
        std::string text;
        for (int line = 0; line < kLines; ++line)
            text += listLine(line) + "\r\n";
        writeFileAtomically(list, text);
        csv = folder / "list-with-columns.csv";
        text = "name,url,domain_rating,link_type,pricing,category,description\r\n";
        for (int row = 0; row < kLines; ++row)
            text += csvRow(row) + "\r\n";
        writeFileAtomically(csv, text);
    }

    ~BenchData() { std::filesystem::remove_all(folder); }
};

const BenchData& data()
{
    static const BenchData made;
    return made;
}

// The reference: every line read with std::getline, and its length counted.
void bareLineRead(benchmark::State& state, const std::filesystem::path& path)
{
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::string line;
        std::size_t characters = 0;
        while (std::getline(file, line))
            characters += line.size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

// The list reader: the file read and every row's directory taken out, with
// what the list says of it.
void listRead(benchmark::State& state, const std::filesystem::path& path, ListShape shape)
{
    for (auto _ : state) {
        const std::optional<ListText> text = readListFile(path);
        DirectoryListReader reader(text->text(), text->mayHoldControls());
        ListEntry entry;
        int directories = 0;
        while (reader.next(entry))
            directories += entry.address.empty() ? 0 : 1;
        if (directories != kLines || reader.shape() != shape)
            state.SkipWithError("a row gave no directory");
        benchmark::DoNotOptimize(directories);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BareLineRead(benchmark::State& state)
{
    bareLineRead(state, data().list);
}
BENCHMARK(BareLineRead)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void DirectoryLineReader(benchmark::State& state)
{
    listRead(state, data().list, ListShape::Lines);
}
BENCHMARK(DirectoryLineReader)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void BareLineReadCsv(benchmark::State& state)
{
    bareLineRead(state, data().csv);
}
BENCHMARK(BareLineReadCsv)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

void CsvListReader(benchmark::State& state)
{
    listRead(state, data().csv, ListShape::Delimited);
}
BENCHMARK(CsvListReader)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// The whole scan of an import, with known sites skipped and names made unique.
void DirectoryListScanOfFile(benchmark::State& state)
{
    StderrMessageBox messages("vantelo-bench");
    for (auto _ : state) {
        const std::optional<DirectoryListScan> scan =
            scanDirectoryListFile(data().list.string(), {}, messages);
        if (!scan || scan->found.size() != kLines)
            state.SkipWithError("the scan lost directories");
        benchmark::DoNotOptimize(scan);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(DirectoryListScanOfFile)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

} // namespace

BENCHMARK_MAIN();
