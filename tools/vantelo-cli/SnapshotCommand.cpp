// vantelo-cli snapshot: a snapshot of a profile's site without windows. Progress
// goes to stderr; approvals found are recorded in the profile and sv.xml is saved.

#include "CommandLine.h"
#include "Commands.h"
#include "DataFolderHosts.h"
#include "common/DataFolder.h"
#include "common/DecimalText.h"
#include "common/HostConfiguration.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "stats/SnapshotRun.h"
#include "stats/SnapshotStores.h"
#include "stats/TrancoList.h"

#include <condition_variable>
#include <iostream>
#include <mutex>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

namespace {

constexpr const char* kUsage = "vantelo-cli snapshot [--data-dir DIR] --profile NAME [--general] [--serp] "
                               "[--approval [--entire] [--resume N]] OUT.html";

// Shows the run on stderr and records approvals in the store. The run calls it
// from its workers one call at a time; the command's thread waits for the end.
class CliSnapshotHost : public SnapshotRun::IHost {
public:
    CliSnapshotHost(ProfileStore& profiles, std::string profile, const IClock& clock)
        : m_profiles(profiles)
        , m_profile(std::move(profile))
        , m_clock(clock)
    {
    }

    void onStatus(const std::string& status) override { print(status); }
    void onProgress(const std::string& progress) override { print(progress); }

    void onApprovalFound(const SnapshotRun::Approval& approval) override
    {
        std::lock_guard lock(m_mutex);
        recordFoundApproval(m_profiles, m_profile, approval, m_clock);
        ++m_approvals;
    }

    void onFinished(const std::string& report) override
    {
        std::lock_guard lock(m_mutex);
        m_report = report;
        m_finished = true;
        m_changed.notify_all();
    }

    // Waits for the end of the run; its report and the number of approvals found.
    std::pair<std::string, int> waitForReport()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_finished; });
        return { m_report, m_approvals };
    }

private:
    void print(const std::string& line)
    {
        std::lock_guard lock(m_mutex);
        if (!line.empty())
            std::cerr << line << '\n';
    }

    ProfileStore& m_profiles;
    const std::string m_profile;
    const IClock& m_clock;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_report;
    int m_approvals = 0;
    bool m_finished = false;
};

SnapshotOptions optionsOf(CommandLine& line)
{
    SnapshotOptions options;
    options.includeGeneral = line.takeFlag("--general");
    options.includeSerp = line.takeFlag("--serp");
    options.includeApproval = line.takeFlag("--approval");
    options.entireDatabase = line.takeFlag("--entire");
    const std::optional<std::string> resume = line.takeOption("--resume");
    if ((options.entireDatabase || resume) && !options.includeApproval)
        throw UsageError("--entire and --resume go with --approval; usage: " + std::string(kUsage));
    if (resume) {
        options.resumeRecord = parseDecimal(*resume);
        if (options.resumeRecord < 0 || resume->find_first_not_of("0123456789") != std::string::npos)
            throw UsageError("--resume takes a record number from 0 on");
    }
    return options;
}

} // namespace

int runSnapshotCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    const std::optional<std::string> profileName = line.takeOption("--profile");
    const SnapshotOptions options = optionsOf(line);
    const std::string output = line.positional(1, kUsage).front();
    if (!profileName)
        throw UsageError(std::string("a --profile is needed; usage: ") + kUsage);

    const DataFolder folder = DataFolder::resolve(dataDir);
    StderrMessageBox messages;
    const HostConfiguration hosts = hostsOfDataFolder(dataDir);
    ProfileStore profiles(messages);
    if (!profiles.Open(folder.profiles()))
        throw std::runtime_error("cannot read the profiles in " + folder.profiles().string());
    SiteProfile profile;
    if (!profiles.GetProfile(*profileName, profile)) {
        std::cerr << "vantelo-cli: no profile named \"" << *profileName << "\"\n";
        return 1;
    }
    if (options.includeSerp && profile.serpPhrases.empty())
        std::cerr << "The profile has no search phrases: no search engine positions.\n";
    DirectoryStore directories(messages);
    DirectoryStore custom(messages, "customdirs");
    if (options.includeApproval)
        directories.MergeCustom(custom, folder);

    const auto clock = std::make_shared<SystemClock>();
    CliSnapshotHost host(profiles, *profileName, *clock);
    SnapshotRun::Input input = snapshotInput(profiles, profile, directories, options, hosts.vendorUrl("/"));
    input.trafficList = TrancoList::fileIn(folder);
    input.trafficListUrl = hosts.services().trancoUrl;
    const auto run = SnapshotRun::create(std::move(input), CSEOData(hosts), nullptr, clock, &host);
    run->start();
    const auto [report, approvals] = host.waitForReport();
    // No call reaches the host once this returns; the run's threads end alone.
    run->close();

    bool saved = true;
    if (approvals > 0) {
        std::cerr << approvals << " approval(s) recorded in " << folder.profiles().string() << '\n';
        saved = profiles.Save(folder.profiles());
    }
    return saveSnapshotReport(output, report, messages) && saved ? 0 : 1;
}
