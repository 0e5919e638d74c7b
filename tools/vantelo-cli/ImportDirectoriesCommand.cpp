// vantelo-cli import-directories: the bulk import of a directory list file
// without windows. What was found and added goes to stdout, a progress bar to
// stderr when it is a terminal; customdirdata.xml of the data folder is saved
// once every directory is in.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/StderrMessageBox.h"
#include "custom/CustomCategories.h"
#include "custom/CustomDirListModel.h"
#include "custom/DirectoryImport.h"
#include "custom/DirectoryListFile.h"
#include "custom/ListFactsUpdate.h"
#include "directories/DirectoryStore.h"
#include "stats/CSiteChecker.h"

#include <condition_variable>
#include <iostream>
#include <mutex>

namespace {

constexpr std::size_t kBarWidth = 40;

// Stores each checked directory at once (nothing else touches the stores while
// the command waits) and draws the progress bar.
class CliImportListener : public DirectoryImport::IListener {
public:
    explicit CliImportListener(bool drawsBar)
        : m_drawsBar(drawsBar)
    {
    }

    void attach(DirectoryImport* import) { m_import = import; }

    void onDirectoryChecked() override
    {
        std::lock_guard lock(m_mutex);
        m_import->storeChecked();
        if (m_drawsBar)
            drawBar(m_import->stored(), m_import->size());
    }

    void onAllChecked(std::size_t) override
    {
        std::lock_guard lock(m_mutex);
        m_over = true;
        m_changed.notify_all();
    }

    void waitForEnd()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_over; });
    }

private:
    static void drawBar(std::size_t done, std::size_t total)
    {
        const std::size_t filled = total == 0 ? kBarWidth : done * kBarWidth / total;
        std::cerr << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << done
                  << '/' << total << (done == total ? "\n" : "") << std::flush;
    }

    const bool m_drawsBar;
    DirectoryImport* m_import = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_over = false;
};

void printFound(const std::string& file, const DirectoryListScan& scan, const CliArguments& line)
{
    for (const SkippedRow& skipped : scan.skipped) {
        printNote(file + (scan.listShape == ListShape::Json ? ": entry " : ": line ")
            + std::to_string(skipped.line) + " skipped: " + std::string(skipped.reason));
    }
    if (line.json())
        return;
    std::cout << "Found " << scan.found.size() << " new directories in " << file << " (" << scan.lineCount
              << (scan.lineCount == 1 ? " line names a directory)" : " lines name a directory)") << '\n'
              << std::flush;
}

// A fact as JSON: null where the list gave none.
nlohmann::ordered_json factJson(const std::string& text)
{
    return text.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(text);
}

void printAdded(const std::string& file, const DirectoryListScan& scan, std::size_t added,
    std::size_t updated, const std::filesystem::path& database, const CliArguments& line)
{
    if (!line.json()) {
        if (updated > 0)
            std::cout << "Updated the rating, link type or pricing of " << updated << " known directories\n";
        if (added == 0 && updated == 0)
            std::cout << "Nothing new: " << database.string() << " is left as it was\n";
        else if (added > 0)
            std::cout << "Added " << added << " directories to " << database.string() << '\n';
        return;
    }
    nlohmann::ordered_json directories = nlohmann::ordered_json::array();
    for (const ListedDirectory& directory : scan.found) {
        const DirectoryListFacts& facts = directory.facts;
        directories.push_back({ { "name", directory.name }, { "url", directory.address },
            { "category", factJson(directory.category) },
            { "rating", facts.rating < 0 ? nlohmann::ordered_json() : nlohmann::ordered_json(facts.rating) },
            { "linktype", factJson(facts.linkType) }, { "pricing", factJson(facts.pricing) } });
    }
    nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
    for (const SkippedRow& row : scan.skipped)
        skipped.push_back({ { "line", row.line }, { "reason", std::string(row.reason) } });
    printJson({ { "file", file }, { "lines", scan.lineCount }, { "added", added }, { "updated", updated },
        { "database", database.string() }, { "directories", std::move(directories) },
        { "skipped", std::move(skipped) } });
}

int runImport(CliArguments& line)
{
    const std::vector<std::string> categories = line.takeOptions("--category");
    const bool skipPageRank = line.takeFlag("--skip-pr");
    const std::string file = line.positional(1, 1).front();

    const DataFolder folder = line.writableDataFolder();
    StderrMessageBox messages(kCliProgram);
    const HostConfiguration hosts = hostsOfDataFolder(folder, line.secrets());
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.MergeCustom(custom, folder);
    const CustomDirListModel known(main, custom, {});

    const DirectoryListRead read = readDirectoryListFile(file, known.knownDirectories());
    if (!read.opened)
        throw CliFailure("cannot read " + file);
    if (!read.scan)
        throw CliFailure("cannot import " + file + ": " + read.problem + "; nothing was stored");
    const std::optional<DirectoryListScan>& scan = read.scan;
    printFound(file, *scan, line);
    const std::size_t updated = applyListFacts(custom, main, scan->known);
    if (scan->found.empty()) {
        if (updated > 0 && !custom.SaveCustom(folder.customDatabase(), true))
            throw CliFailure("cannot write " + folder.customDatabase().string());
        printAdded(file, *scan, 0, updated, folder.customDatabase(), line);
        return kExitSuccess;
    }

    std::vector<std::string> selected { kCustomCategory };
    for (const std::string& category : categories)
        addCategoryEntry(selected, category);
    CliImportListener listener(stderrIsTerminal());
    const auto import =
        DirectoryImport::create(custom, main, scan->found, customCategoryText(selected), &listener);
    listener.attach(import.get());
    if (skipPageRank)
        import->skipPageRank();
    CSiteChecker checker(hosts);
    if (import->start(checker))
        listener.waitForEnd();
    // Adds what the checker has not (all of it when no worker could start).
    import->close();
    if (!custom.SaveCustom(folder.customDatabase(), true))
        throw CliFailure("cannot write " + folder.customDatabase().string());
    printAdded(file, *scan, import->size(), updated, folder.customDatabase(), line);
    return kExitSuccess;
}

} // namespace

const CliCommand& importDirectoriesCommand()
{
    static const CliCommand command { "import-directories", "[--category NAME]... [--skip-pr] FILE",
        "Add the directories of a list file to customdirdata.xml.",
        { { "--category", "NAME", "list the new directories under NAME too (repeatable)" },
            { "--skip-pr", "", "do not ask for each new directory's PageRank" } },
        "FILE is a directory list: a CSV or tab-separated table (its columns found by\n"
        "their names or their cells), a JSON array of objects, or plain lines (an\n"
        "address, or a name and an address). As \"Import...\" of the custom directory\n"
        "list manager does, addresses whose site is known already are skipped (a\n"
        "known custom directory gets the list's rating, link type and pricing), taken\n"
        "names get a number, and every new directory is listed under \"Custom\", each\n"
        "--category and the list's own categories. Rows that name no directory are\n"
        "noted on standard error with their line and why. A progress bar shows on\n"
        "standard error while the PageRanks are asked for, when that is a terminal.\n"
        "A file that is no list (binary data, broken JSON, over 32 MB) fails and\n"
        "nothing is stored.\n\n"
        "JSON: {\"file\", \"lines\": rows that name a directory, \"added\": N,\n"
        "\"updated\": known directories whose facts changed, \"database\": the file\n"
        "saved, \"directories\": [{\"name\", \"url\", \"category\", \"rating\",\n"
        "\"linktype\", \"pricing\"}], \"skipped\": [{\"line\", \"reason\"}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runImport };
    return command;
}
