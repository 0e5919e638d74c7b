#pragma once

#include "directories/DirectoryTestFiles.h"
#include "profiles/ProfileStore.h"
#include "profiles/SiteProfile.h"
#include "support/FixedClock.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include "app/DirectoryList.h"

#include <string>
#include <string_view>
#include <vector>

// A main store loaded from `directory` elements and a profile store with the
// profile "Mine" (and "Other"), as the main window has them.
struct ListStores {
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore directories { messages };
    SendingProfile::ProfileStore profiles { messages };
    FixedClock clock { 1'600'000'000 };

    explicit ListStores(std::string_view directoryElements)
    {
        directories.Load(folder.write("dirdata.xml", databaseText("rf", directoryElements)), true, false);
        profiles.Open(folder.path("sv.xml"));
        for (const char* name : { "Mine", "Other" }) {
            SendingProfile::SiteProfile profile;
            profile.name = name;
            profiles.SetProfile(name, profile);
        }
    }

    void sent(const std::string& directory, const std::string& date = "01 May 2020",
        const std::string& profile = "Mine")
    {
        profiles.AddSubmission(profile, directory, directories.GetSubmitUrl(directory), "T", "K", "D", date);
    }

    DirectoryList build(DirectoryListQuery query = {}) const
    {
        return buildDirectoryList(directories, profiles, query);
    }

    DirectoryList buildFor(const std::string& profile, DirectorySort sort = DirectorySort::PrDescending) const
    {
        DirectoryListQuery query;
        query.profile = profile;
        query.sort = sort;
        return build(query);
    }
};

// A query without a profile in a sort order.
inline DirectoryListQuery sortedBy(DirectorySort sort)
{
    DirectoryListQuery query;
    query.sort = sort;
    return query;
}

// The row texts of a list, in order.
inline std::vector<std::string> rowTexts(const DirectoryList& list)
{
    std::vector<std::string> texts;
    for (const DirectoryListRow& row : list.rows)
        texts.push_back(row.text);
    return texts;
}
