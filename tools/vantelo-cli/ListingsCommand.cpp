// vantelo-cli listings verify: finds each directory's listing of a profile's
// site, keeps the results in sv.xml and prints them.

#include "Commands.h"
#include "DataFolderFiles.h"
#include "common/StderrMessageBox.h"
#include "common/SystemClock.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"
#include "stats/ListingLinks.h"
#include "stats/ListingStores.h"

#include <algorithm>
#include <iostream>

using SendingProfile::ListingRecord;
using SendingProfile::ListingState;

namespace {

nlohmann::ordered_json listingJson(const ListingTarget& target, const ListingRecord& record)
{
    return { { "directory", target.directory }, { "state", SendingProfile::listingStateName(record.state) },
        { "page", record.page }, { "link", record.link }, { "rel", record.rel }, { "direct", record.direct },
        { "anchor", record.anchor }, { "checked", record.checked } };
}

void printListing(const ListingTarget& target, const ListingRecord& record)
{
    const bool listed = record.state == ListingState::Listed;
    std::cout << target.directory << '\t' << SendingProfile::listingStateName(record.state) << '\t'
              << (listed ? (record.followed() ? "followed" : record.rel) : "-") << '\t'
              << (listed ? (record.direct ? "direct" : "redirect") : "-") << '\t'
              << (record.page.empty() ? "-" : record.page) << '\n';
}

int runVerify(CliArguments& line)
{
    const std::optional<std::string> profileName = line.takeOption("--profile");
    const std::vector<std::string> only = line.takeOptions("--directory");
    line.positional(0, 0);
    if (!profileName)
        line.usageError("a --profile is needed");

    StderrMessageBox messages { kCliProgram };
    const DataFolder folder = line.dataFolder();
    SendingProfile::ProfileStore profiles { messages };
    openProfileFile(profiles, folder.profiles());
    SendingProfile::SiteProfile profile;
    if (!profiles.hasProfile(*profileName) || !profiles.GetProfile(*profileName, profile))
        throw CliFailure("no profile named \"" + *profileName + "\" in " + folder.profiles().string());
    if (SiteHost(profile.url).empty())
        throw CliFailure("the profile \"" + profile.name + "\" has no site address to look for");
    DirectoryStore directories { messages, "rf" };
    DirectoryStore custom { messages, "customdirs" };
    directories.MergeCustom(custom, folder);

    std::vector<std::string> unknown;
    const std::vector<ListingTarget> targets =
        listingTargets(profiles, profile.name, directories, only, unknown);
    if (!unknown.empty())
        line.usageError("no directory named \"" + unknown.front() + "\"");
    if (targets.empty())
        throw CliFailure(
            "the profile \"" + profile.name + "\" has sent to no directory; name one with --directory");

    const SystemClock clock;
    const ListingVerifier verifier(profile.url, listingSiteTitle(profiles, profile));
    std::vector<std::optional<ListingRecord>> results(targets.size());
    verifier.checkAll(targets, SendingProfile::stateDate(clock),
        [&](std::size_t index, const ListingRecord& record) { results[index] = record; });

    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    std::size_t checked = 0;
    for (std::size_t at = 0; at < targets.size(); ++at) {
        recordListing(profiles, clock, profile.name, targets[at], *results[at]);
        checked += results[at]->state != ListingState::Unreachable;
        if (line.json())
            rows.push_back(listingJson(targets[at], *results[at]));
        else
            printListing(targets[at], *results[at]);
    }
    if (!profiles.Save(folder.profiles()))
        throw CliFailure("cannot write " + folder.profiles().string());
    if (line.json())
        printJson({ { "listings", std::move(rows) } });
    if (checked == 0)
        throw CliFailure("no directory could be reached");
    return kExitSuccess;
}

} // namespace

const CliCommand& listingsVerifyCommand()
{
    static const CliCommand command { "listings verify", "--profile NAME [--directory NAME]...",
        "Find the listings of a profile's site on the directories it was sent to.",
        { { "--profile", "NAME", "the profile whose site is looked for" },
            { "--directory", "NAME", "check only this directory (repeatable)" } },
        "Looks on each directory's own pages for a link to the profile's site: the page found before, the "
        "directory's search, its sitemaps and its newest entries, at most 20 requests a directory and 4 "
        "directories at once. Prints a line per directory: name, state (listed, not-found, unreachable), "
        "whether the link is followed (or its rel words), direct or through the directory's redirect, and "
        "the listing page. The results are kept in sv.xml: a listing marks the submission approved, a "
        "listing that disappeared marks the directory lost.\n\n"
        "JSON: {\"listings\": [{\"directory\", \"state\", \"page\", \"link\", \"rel\", \"direct\", "
        "\"anchor\", "
        "\"checked\"}]}.\n\nExits with 1 when no directory could be reached.",
        CliCommand::kJson | CliCommand::kDataFolder, runVerify };
    return command;
}
