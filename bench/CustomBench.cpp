// Reading a directory list file of 100,000 lines in the four shapes such files
// take (address alone, name and address, quoted name with a semicolon, address
// and name), against a bare line-by-line read of the same file as the reference.

#include "common/AtomicFile.h"
#include "common/StderrMessageBox.h"
#include "custom/DirectoryLineParser.h"
#include "custom/DirectoryListFile.h"
#include "custom/ListLineReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
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

// The list file, written once per run into a temporary folder.
struct BenchData {
    std::filesystem::path folder;
    std::filesystem::path list;

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
    }

    ~BenchData() { std::filesystem::remove_all(folder); }
};

const BenchData& data()
{
    static const BenchData made;
    return made;
}

// The reference: every line read with std::getline, and its length counted.
void BareLineRead(benchmark::State& state)
{
    for (auto _ : state) {
        std::ifstream file(data().list, std::ios::binary);
        std::string line;
        std::size_t characters = 0;
        while (std::getline(file, line))
            characters += line.size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BareLineRead)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

// The import's line reader: every line read and its name and address taken out.
void DirectoryLineReader(benchmark::State& state)
{
    for (auto _ : state) {
        std::FILE* file = std::fopen(data().list.c_str(), "rb");
        ListLineReader reader(file);
        DirectoryLineParser parser;
        int directories = 0;
        while (const std::optional<std::string_view> line = reader.next())
            directories += parser.read(*line) ? 1 : 0;
        std::fclose(file);
        if (directories != kLines)
            state.SkipWithError("a line gave no directory");
        benchmark::DoNotOptimize(directories);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(DirectoryLineReader)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);

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
