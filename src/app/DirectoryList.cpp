#include "app/DirectoryList.h"

#include "app/DirectoryCategories.h"
#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "app/Utf8Text.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"

#include <algorithm>

using SendingProfile::ProfileStore;

namespace {

// The status of a row, in the order of the "Status" sort.
enum class RowStatus {
    Approved,
    Sent,
    NotSent,
};

// A directory that passed the filter and the search, before sorting.
struct ListedDirectory {
    const DirectoryRecord* record;
    std::string taggedName;
    RowStatus status;
    bool submitted;
};

std::string asciiLowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool matchesSearch(const DirectoryRecord& record, const std::string& lowerSearch)
{
    return lowerSearch.empty() || asciiLowerCase(record.name).find(lowerSearch) != std::string::npos
        || asciiLowerCase(record.submitUrl).find(lowerSearch) != std::string::npos;
}

void sortDirectories(std::vector<ListedDirectory>& listed, DirectorySort sort)
{
    const auto byName = [](const ListedDirectory& a, const ListedDirectory& b) { return a.taggedName < b.taggedName; };
    switch (sort) {
    case DirectorySort::PrAscending:
        std::ranges::sort(listed, [&](const ListedDirectory& a, const ListedDirectory& b) {
            return a.record->pr != b.record->pr ? a.record->pr < b.record->pr : byName(a, b);
        });
        break;
    case DirectorySort::PrDescending:
        std::ranges::sort(listed, [&](const ListedDirectory& a, const ListedDirectory& b) {
            return a.record->pr != b.record->pr ? a.record->pr > b.record->pr : byName(b, a);
        });
        break;
    case DirectorySort::AlphaAscending:
        std::ranges::sort(listed, byName);
        break;
    case DirectorySort::AlphaDescending:
        std::ranges::sort(listed, [&](const ListedDirectory& a, const ListedDirectory& b) { return byName(b, a); });
        break;
    case DirectorySort::Status:
        std::ranges::stable_sort(listed, {}, &ListedDirectory::status);
        break;
    }
}

// Reads the texts, colour and date of the rows once they are in order.
class RowReader {
public:
    RowReader(const ProfileStore& profiles, const std::optional<std::string>& profile, std::int32_t latestRevision)
        : m_profiles(profiles)
        , m_profile(profile)
        , m_latestRevision(latestRevision)
    {
    }

    DirectoryListRow read(const ListedDirectory& listed, int& sentCount) const
    {
        const DirectoryRecord& record = *listed.record;
        DirectoryListRow row;
        row.text = listed.taggedName;
        row.address = record.submitUrl;
        row.color = revisionColor(record.revision, m_latestRevision);
        m_profiles.GetCustomText(record.name, row.customText);
        if (!m_profile)
            return row;
        if (listed.submitted) {
            row.text += listed.status == RowStatus::Approved ? kApprovedSuffix : kSentSuffix;
            ++sentCount;
            row.color = kSentColor;
        } else {
            row.text += kNotSentSuffix;
        }
        std::uint32_t custom = 0;
        if (m_profiles.GetCustomColor(*m_profile, record.name, custom) || m_profiles.GetCustomColor({}, record.name, custom))
            row.color = custom;
        m_profiles.GetSubmissionDate(*m_profile, record.name, row.date);
        return row;
    }

private:
    const ProfileStore& m_profiles;
    const std::optional<std::string>& m_profile;
    std::int32_t m_latestRevision;
};

} // namespace

DirectoryList buildDirectoryList(const DirectoryStore& directories, const ProfileStore& profiles,
                                 const DirectoryListQuery& query)
{
    DirectoryList list;
    const std::string lowerSearch = asciiLowerCase(limitSearchText(query.searchText));
    std::vector<ListedDirectory> listed;
    std::size_t visited = 0;
    for (const auto& [name, record] : directories.records()) {
        if (visited++ >= query.nameLimit)
            break;
        if (!isListableDirectoryName(name))
            continue;
        ++list.total;
        for (std::string& category : splitCategories(record.category))
            list.categories.insert(std::move(category));
        if (!passesCategoryFilter(record.category, query.categoryFilter) || !matchesSearch(record, lowerSearch))
            continue;
        ListedDirectory entry { &record, taggedDirectoryName(name, record.pr), RowStatus::NotSent, false };
        if (query.profile) {
            entry.submitted = profiles.IsSubmitted(*query.profile, name, record.submitUrl);
            if (profiles.IsApproved(*query.profile, name, record.submitUrl))
                entry.status = RowStatus::Approved;
            else if (entry.submitted)
                entry.status = RowStatus::Sent;
        }
        listed.push_back(std::move(entry));
    }

    sortDirectories(listed, query.sort);
    const RowReader reader(profiles, query.profile, directories.GetLatestDirectoryRevision());
    list.rows.reserve(listed.size());
    for (const ListedDirectory& entry : listed)
        list.rows.push_back(reader.read(entry, list.sentCount));
    return list;
}

bool isListableDirectoryName(const std::string& name)
{
    return name.size() > 2 && name[0] != '_' && name[1] != '_';
}

std::string limitSearchText(const std::string& text)
{
    return std::string(utf8Prefix(text, kSearchTextLimit));
}
