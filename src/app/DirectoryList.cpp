#include "app/DirectoryList.h"

#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "common/TextCase.h"
#include "common/Utf8Text.h"
#include "directories/DirectoryCategories.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_set>

using SendingProfile::ProfileStore;

namespace {

// The status of a row, in the order of the "Status" sort.
enum class RowStatus {
    Approved,
    Sent,
    NotSent,
};

// A directory that passed the filter and the search: its row, and what the sort needs.
struct ListedDirectory {
    DirectoryListRow row;
    std::size_t taggedLength = 0; // the row text begins with the tagged name
    std::int32_t pr = 0;
    RowStatus status = RowStatus::NotSent;
    bool sent = false;
    // Its place in the store's name order.
    std::uint32_t rank = 0;
    // Its name begins the next name of the store ("Best" before "Best Links"):
    // only then can the order of the tagged names differ from the name order.
    bool prefixOfNext = false;
};

using Listed = std::vector<ListedDirectory>;

bool matchesSearch(const DirectoryRecord& record, const std::string& lowerSearch)
{
    return lowerSearch.empty() || lowerAscii(record.name).find(lowerSearch) != std::string::npos
        || lowerAscii(record.submitUrl).find(lowerSearch) != std::string::npos;
}

// Whether a's tagged name comes before b's in byte order. The store's name
// order gives the answer, unless one name begins the other.
bool taggedNameBefore(const ListedDirectory& a, const ListedDirectory& b)
{
    if (a.prefixOfNext || b.prefixOfNext)
        return std::string_view(a.row.text).substr(0, a.taggedLength)
            < std::string_view(b.row.text).substr(0, b.taggedLength);
    return a.rank < b.rank;
}

// The order of the rows as positions into `listed`.
std::vector<std::uint32_t> sortedOrder(const Listed& listed, DirectorySort sort)
{
    std::vector<std::uint32_t> order(listed.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto by = [&listed](auto before) {
        return [&listed, before](std::uint32_t a, std::uint32_t b) { return before(listed[a], listed[b]); };
    };
    switch (sort) {
    case DirectorySort::PrAscending:
        std::ranges::sort(order, by([](const ListedDirectory& a, const ListedDirectory& b) {
            return a.pr != b.pr ? a.pr < b.pr : taggedNameBefore(a, b);
        }));
        break;
    case DirectorySort::PrDescending:
        std::ranges::sort(order, by([](const ListedDirectory& a, const ListedDirectory& b) {
            return a.pr != b.pr ? a.pr > b.pr : taggedNameBefore(b, a);
        }));
        break;
    case DirectorySort::AlphaAscending:
        std::ranges::sort(order, by(taggedNameBefore));
        break;
    case DirectorySort::AlphaDescending:
        std::ranges::sort(order,
            by([](const ListedDirectory& a, const ListedDirectory& b) { return taggedNameBefore(b, a); }));
        break;
    case DirectorySort::Status:
        std::ranges::stable_sort(order,
            by([](const ListedDirectory& a, const ListedDirectory& b) { return a.status < b.status; }));
        break;
    }
    return order;
}

// Gathers the categories of every listable directory. Many directories share a
// category text, and each text is split only once.
class CategoryCollector {
public:
    explicit CategoryCollector(CategorySet& categories)
        : m_categories(categories)
    {
    }

    // The text must outlive the collector.
    void add(std::string_view text)
    {
        if (!m_seen.insert(text).second)
            return;
        forEachCategory(text, [this](std::string_view category) {
            if (m_categories.find(category) == m_categories.end())
                m_categories.emplace(category);
        });
    }

private:
    CategorySet& m_categories;
    std::unordered_set<std::string_view> m_seen;
};

// Asks the profile store what a row shows: its status, date, colour and text.
// The questions about one directory are asked together, which the store's
// index answers fastest.
class RowReader {
public:
    RowReader(
        const ProfileStore& profiles, const std::optional<std::string>& profile, std::int32_t latestRevision)
        : m_profiles(profiles)
        , m_profile(profile)
        , m_latestRevision(latestRevision)
    {
    }

    ListedDirectory read(const DirectoryRecord& record) const
    {
        ListedDirectory listed;
        listed.pr = record.pr;
        DirectoryListRow& row = listed.row;
        row.text = taggedDirectoryName(record.name, record.pr);
        listed.taggedLength = row.text.size();
        row.address = record.submitUrl;
        row.color = revisionColor(record.revision, m_latestRevision);
        m_profiles.GetCustomText(record.name, row.customText);
        if (!m_profile)
            return listed;
        listed.sent = m_profiles.IsSubmitted(*m_profile, record.name, record.submitUrl);
        if (m_profiles.IsApproved(*m_profile, record.name, record.submitUrl))
            listed.status = RowStatus::Approved;
        else if (listed.sent)
            listed.status = RowStatus::Sent;
        if (listed.sent) {
            row.text += listed.status == RowStatus::Approved ? kApprovedSuffix : kSentSuffix;
            row.color = kSentColor;
        } else {
            row.text += kNotSentSuffix;
        }
        std::uint32_t custom = 0;
        if (m_profiles.GetCustomColor(*m_profile, record.name, custom)
            || m_profiles.GetCustomColor({}, record.name, custom))
            row.color = custom;
        m_profiles.GetSubmissionDate(*m_profile, record.name, row.date);
        return listed;
    }

private:
    const ProfileStore& m_profiles;
    const std::optional<std::string>& m_profile;
    std::int32_t m_latestRevision;
};

bool beginsNextName(const DirectoryStore::RecordMap& records, DirectoryStore::RecordMap::const_iterator at)
{
    const auto next = std::next(at);
    return next != records.end() && next->first.starts_with(at->first);
}

} // namespace

DirectoryList buildDirectoryList(
    const DirectoryStore& directories, const ProfileStore& profiles, const DirectoryListQuery& query)
{
    DirectoryList list;
    const std::string lowerSearch = lowerAscii(limitSearchText(query.searchText));
    const RowReader reader(profiles, query.profile, directories.GetLatestDirectoryRevision());
    CategoryCollector categories(list.categories);
    const DirectoryStore::RecordMap& records = directories.records();
    Listed listed;
    listed.reserve(std::min<std::size_t>(records.size(), query.nameLimit));
    std::uint32_t visited = 0;
    for (auto at = records.begin(); at != records.end() && visited < query.nameLimit; ++at, ++visited) {
        const DirectoryRecord& record = at->second;
        if (!isListableDirectoryName(record.name))
            continue;
        ++list.total;
        categories.add(record.category);
        if (!passesCategoryFilter(record.category, query.categoryFilter)
            || !matchesSearch(record, lowerSearch))
            continue;
        ListedDirectory entry = reader.read(record);
        entry.rank = visited;
        entry.prefixOfNext = beginsNextName(records, at);
        listed.push_back(std::move(entry));
    }

    const std::vector<std::uint32_t> order = sortedOrder(listed, query.sort);
    list.rows.reserve(listed.size());
    for (const std::uint32_t position : order) {
        list.sentCount += listed[position].sent ? 1 : 0;
        list.rows.push_back(std::move(listed[position].row));
    }
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
