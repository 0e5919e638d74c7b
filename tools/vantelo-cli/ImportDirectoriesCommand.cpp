// vantelo-cli import-directories: the bulk import of a directory list file
// without windows. The status lines go to stdout, a progress bar to stderr;
// customdirdata.xml of the data folder is saved once every directory is in.

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "common/DataFolder.h"
#include "common/StderrMessageBox.h"
#include "custom/CustomCategories.h"
#include "custom/CustomDirListModel.h"
#include "custom/DirectoryImport.h"
#include "custom/DirectoryListFile.h"
#include "directories/DirectoryStore.h"
#include "stats/CSiteChecker.h"

#include <condition_variable>
#include <iostream>
#include <mutex>

namespace {

constexpr const char* kUsage =
    "vantelo-cli import-directories --data-dir DIR [--category NAME]... [--skip-pr] FILE";
constexpr std::size_t kBarWidth = 40;

// Stores each checked directory at once (nothing else touches the stores while
// the command waits) and draws the progress bar.
class CliImportListener : public DirectoryImport::IListener {
public:
    void attach(DirectoryImport* import) { m_import = import; }

    void onDirectoryChecked() override
    {
        std::lock_guard lock(m_mutex);
        m_import->storeChecked();
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

    DirectoryImport* m_import = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_over = false;
};

} // namespace

int runImportDirectoriesCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::vector<std::string> categories = line.takeOptions("--category");
    const bool skipPageRank = line.takeFlag("--skip-pr");
    const std::string file = line.positional(1, kUsage).front();

    const DataFolder folder = DataFolder::resolve(dataDir);
    StderrMessageBox messages;
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.MergeCustom(custom, folder);
    const CustomDirListModel known(main, custom, {});

    const std::optional<DirectoryListScan> scan =
        scanDirectoryListFile(file, known.knownDirectories(), messages);
    if (!scan)
        return 1;
    std::cout << importFoundText(*scan) << std::endl;
    if (scan->found.empty())
        return 0;

    std::vector<std::string> selected { kCustomCategory };
    for (const std::string& category : categories)
        addCategoryEntry(selected, category);
    CliImportListener listener;
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
    std::cout << importDoneText(import->size()) << std::endl;
    return custom.SaveCustom(folder.customDatabase(), true) ? 0 : 1;
}
