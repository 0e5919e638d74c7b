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
#include "directories/DirectoryStore.h"
#include "stats/CSiteChecker.h"

#include <condition_variable>
#include <fstream>
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
    if (line.json())
        return;
    std::cout << "Found " << scan.found.size() << " new directories in " << file << " (" << scan.lineCount
              << (scan.lineCount == 1 ? " line names a directory)" : " lines name a directory)") << '\n'
              << std::flush;
}

void printAdded(const std::string& file, const DirectoryListScan& scan, std::size_t added,
    const std::filesystem::path& database, const CliArguments& line)
{
    if (!line.json()) {
        if (added == 0)
            std::cout << "Nothing new: " << database.string() << " is left as it was\n";
        else
            std::cout << "Added " << added << " directories to " << database.string() << '\n';
        return;
    }
    nlohmann::ordered_json directories = nlohmann::ordered_json::array();
    for (const ListedDirectory& directory : scan.found)
        directories.push_back({ { "name", directory.name }, { "url", directory.address } });
    printJson({ { "file", file }, { "lines", scan.lineCount }, { "added", added },
        { "database", database.string() }, { "directories", std::move(directories) } });
}

int runImport(CliArguments& line)
{
    const std::vector<std::string> categories = line.takeOptions("--category");
    const bool skipPageRank = line.takeFlag("--skip-pr");
    const std::string file = line.positional(1, 1).front();
    std::error_code error;
    if (std::filesystem::is_directory(file, error) || !std::ifstream(file, std::ios::binary))
        throw CliFailure("cannot read " + file);

    const DataFolder folder = line.writableDataFolder();
    StderrMessageBox messages(kCliProgram);
    const HostConfiguration hosts = hostsOfDataFolder(folder, line.secrets());
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.MergeCustom(custom, folder);
    const CustomDirListModel known(main, custom, {});

    const std::optional<DirectoryListScan> scan =
        scanDirectoryListFile(file, known.knownDirectories(), messages);
    if (!scan)
        throw CliFailure("cannot read " + file);
    printFound(file, *scan, line);
    if (scan->found.empty()) {
        printAdded(file, *scan, 0, folder.customDatabase(), line);
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
    printAdded(file, *scan, import->size(), folder.customDatabase(), line);
    return kExitSuccess;
}

} // namespace

const CliCommand& importDirectoriesCommand()
{
    static const CliCommand command { "import-directories", "[--category NAME]... [--skip-pr] FILE",
        "Add the directories of a list file to customdirdata.xml.",
        { { "--category", "NAME", "list the new directories under NAME too (repeatable)" },
            { "--skip-pr", "", "do not ask for each new directory's PageRank" } },
        "FILE is a text or CSV file, one directory a line: an address, or a name and an\n"
        "address separated by a comma or a semicolon. As \"Import...\" of the custom\n"
        "directory list manager does, addresses whose site is known already are\n"
        "skipped, taken names get a number, and every new directory is listed under\n"
        "\"Custom\" and each --category. A progress bar shows on standard error while\n"
        "the PageRanks are asked for, when that is a terminal.\n\n"
        "JSON: {\"file\", \"lines\": lines that name a directory, \"added\": N,\n"
        "\"database\": the file saved, \"directories\": [{\"name\", \"url\"}]}.",
        CliCommand::kDataFolder | CliCommand::kJson, runImport };
    return command;
}
