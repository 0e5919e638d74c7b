// vantelo-cli snapshot: a snapshot of a profile's site without windows. Progress
// goes to stderr; approvals found are recorded in the profile and sv.xml is saved.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/AtomicFile.h"
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
#include <set>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

namespace {

constexpr std::string_view kStatusPrefix = "Status: ";
// The requests of the general stage, and of the position stage per phrase.
constexpr int kGeneralRequests = 6;
constexpr int kRequestsPerPhrase = 2;

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

    // The window's status line, without its "Status: " label; once the run is
    // over the window's "idle" is of no use here.
    void onStatus(const std::string& status) override
    {
        std::string_view text = status;
        if (text.starts_with(kStatusPrefix))
            text.remove_prefix(kStatusPrefix.size());
        print(std::string(kCliProgram) + ": " + std::string(text));
    }
    void onProgress(const std::string& progress) override { print(progress); }

    void onNoAnswer(const std::string& host) override
    {
        std::lock_guard lock(m_mutex);
        ++m_unanswered;
        m_silentHosts.insert(host);
    }

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

    // What the run found, once it is over.
    struct Outcome {
        std::string report;
        int approvals = 0;
        int unanswered = 0; // requests whose host gave no answer
        std::set<std::string> silentHosts;
    };

    // Waits for the end of the run.
    Outcome waitForEnd()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_finished; });
        return { m_report, m_approvals, m_unanswered, m_silentHosts };
    }

private:
    void print(const std::string& line)
    {
        std::lock_guard lock(m_mutex);
        if (!line.empty() && !m_finished)
            std::cerr << line << '\n';
    }

    ProfileStore& m_profiles;
    const std::string m_profile;
    const IClock& m_clock;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_report;
    int m_approvals = 0;
    int m_unanswered = 0;
    std::set<std::string> m_silentHosts;
    bool m_finished = false;
};

SnapshotOptions optionsOf(CliArguments& line)
{
    SnapshotOptions options;
    options.includeGeneral = line.takeFlag("--general");
    options.includeSerp = line.takeFlag("--serp");
    options.includeApproval = line.takeFlag("--approval");
    options.entireDatabase = line.takeFlag("--entire");
    const std::optional<std::string> resume = line.takeOption("--resume");
    if ((options.entireDatabase || resume) && !options.includeApproval)
        line.usageError("--entire and --resume go with --approval");
    if (resume) {
        options.resumeRecord = parseDecimal(*resume);
        if (options.resumeRecord < 0 || resume->find_first_not_of("0123456789") != std::string::npos)
            line.usageError("--resume takes a record number from 0 on");
    }
    return options;
}

int runSnapshot(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption("--profile");
    const SnapshotOptions options = optionsOf(line);
    const std::string output = line.positional(1, 1).front();
    if (!profileName)
        line.usageError("a --profile is needed");

    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    const HostConfiguration hosts = hostsOfDataFolder(folder, line.secrets());
    ProfileStore profiles(messages);
    openProfileFile(profiles, folder.profiles());
    SiteProfile profile;
    if (!profiles.GetProfile(*profileName, profile))
        throw CliFailure("no profile named \"" + *profileName + "\" in " + folder.profiles().string());
    if (options.includeSerp && profile.serpPhrases.empty())
        printNote("the profile has no search phrases: no search engine positions");
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
    const int requests = (run->options().includeGeneral ? kGeneralRequests : 0)
        + (run->options().includeSerp ? kRequestsPerPhrase * static_cast<int>(profile.serpPhrases.size())
                                      : 0);
    run->start();
    const CliSnapshotHost::Outcome outcome = host.waitForEnd();
    // No call reaches the host once this returns; the run's threads end alone.
    run->close();

    if (outcome.approvals > 0) {
        printNote(
            std::to_string(outcome.approvals) + " approval(s) recorded in " + folder.profiles().string());
        if (!profiles.Save(folder.profiles()))
            throw CliFailure("cannot write " + folder.profiles().string());
        folder.protectSecrets();
    }
    for (const std::string& silent : outcome.silentHosts)
        printNote("no usable answer from " + silent);
    // A report of nothing but "n/a" would stand in for a snapshot that was never taken.
    if (outcome.unanswered > 0 && outcome.unanswered >= requests && !run->options().includeApproval)
        throw CliFailure("no report written: no server answered");
    if (const auto error = writeFileAtomically(output, outcome.report))
        throw CliFailure("cannot write " + output + ": " + error->message);
    if (outcome.unanswered > 0)
        throw CliFailure("the report shows n/a for the figures that got no answer");
    return kExitSuccess;
}

} // namespace

const CliCommand& snapshotCommand()
{
    static const CliCommand command { "snapshot",
        "--profile NAME [--general] [--serp] [--approval [--entire] [--resume N]] OUT.html",
        "Write a snapshot report of a profile's site.",
        { { "--profile", "NAME", "the profile whose site is looked at" },
            { "--general", "", "the PageRank, inbound links and indexed pages" },
            { "--serp", "", "the search positions of the profile's search phrases" },
            { "--approval", "", "the directories that list the site" },
            { "--entire", "", "search every directory of the database, not only those sent to" },
            { "--resume", "N", "skip the first N directories of the approval search" } },
        "The progress goes to standard error. Directories found listing the site are\n"
        "recorded in the profile (an entry dated today where there was none, and the\n"
        "approval) and sv.xml is saved. A figure whose server gave no answer shows n/a in\n"
        "the report and the command fails, naming the server; when no server answered at\n"
        "all and there is no approval search, no report is written.",
        CliCommand::kDataFolder, runSnapshot };
    return command;
}
