#include "app/DirectoryList.h"

#include "app/DirectoryRowText.h"
#include "app/RowColors.h"
#include "common/TextCase.h"
#include "common/Utf8Text.h"
#include "directories/DirectoryCategories.h"
#include "directories/DirectoryStore.h"
#include "profiles/DirectoryStates.h"
#include "profiles/ProfileStore.h"
#include "profiles/SubmissionDate.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_set>

using SendingProfile::DirectoryState;
using SendingProfile::DirectoryStates;
using SendingProfile::ProfileStore;

namespace {

// A directory that passed the filters: its row, and what the sort needs.
struct ListedDirectory {
    DirectoryListRow row;
    std::string_view category; // the store's text, for the category sorts
    std::size_t taggedLength = 0; // the row text begins with the tagged name
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

bool hasState(const std::vector<DirectoryState>& states, DirectoryState state)
{
    return states.empty() || std::ranges::find(states, state) != states.end();
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

// Orders by one key, then by tagged name upwards.
template <typename Key> auto byKeyThenName(Key key, bool descending)
{
    return [key, descending](const ListedDirectory& a, const ListedDirectory& b) {
        const auto left = key(a);
        const auto right = key(b);
        if (left != right)
            return descending ? right < left : left < right;
        return taggedNameBefore(a, b);
    };
}

// The day of each row's state, for the date sorts: read once, not once per comparison.
std::vector<int> stateDays(const Listed& listed)
{
    std::vector<int> days;
    days.reserve(listed.size());
    for (const ListedDirectory& entry : listed)
        days.push_back(SendingProfile::dayOfDate(entry.row.status.date));
    return days;
}

// The order of the rows as positions into `listed`.
std::vector<std::uint32_t> sortedOrder(const Listed& listed, DirectorySort sort)
{
    std::vector<std::uint32_t> order(listed.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto by = [&listed, &order](auto before) {
        std::ranges::sort(order,
            [&listed, before](std::uint32_t a, std::uint32_t b) { return before(listed[a], listed[b]); });
    };
    const bool descending = sortsDescending(sort);
    switch (sortColumn(sort)) {
    case DirectoryColumn::PageRank:
        // Equal PageRanks go by name in the sort's own direction, as they always have.
        by([descending](const ListedDirectory& a, const ListedDirectory& b) {
            if (a.row.pr != b.row.pr)
                return descending ? a.row.pr > b.row.pr : a.row.pr < b.row.pr;
            return descending ? taggedNameBefore(b, a) : taggedNameBefore(a, b);
        });
        break;
    case DirectoryColumn::Name:
        by([descending](const ListedDirectory& a, const ListedDirectory& b) {
            return descending ? taggedNameBefore(b, a) : taggedNameBefore(a, b);
        });
        break;
    case DirectoryColumn::State:
        by(byKeyThenName([](const ListedDirectory& entry) { return entry.row.status.state; }, descending));
        break;
    case DirectoryColumn::Rating:
        by(byKeyThenName([](const ListedDirectory& entry) { return entry.row.rating; }, descending));
        break;
    case DirectoryColumn::Link:
        by(byKeyThenName(
            [](const ListedDirectory& entry) { return std::string_view(entry.row.linkType); }, descending));
        break;
    case DirectoryColumn::Category:
        by(byKeyThenName([](const ListedDirectory& entry) { return entry.category; }, descending));
        break;
    case DirectoryColumn::Date: {
        const std::vector<int> days = stateDays(listed);
        const auto day = [&days, &listed](const ListedDirectory& entry) {
            return days[static_cast<std::size_t>(&entry - listed.data())];
        };
        by(byKeyThenName(day, descending));
        break;
    }
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

// Asks the profile store what a row shows: its state, date, colour and text.
// The questions about one directory are asked together, each once, which the
// store's index answers fastest.
class RowReader {
public:
    // What the store says of one directory for the active profile.
    struct Answers {
        bool sent = false;
        bool approved = false;
        std::optional<std::uint32_t> profileColor;
        SendingProfile::DirectoryStatus status;
    };

    RowReader(
        const ProfileStore& profiles, const std::optional<std::string>& profile, std::int32_t latestRevision)
        : m_profiles(profiles)
        , m_profile(profile)
        , m_latestRevision(latestRevision)
    {
    }

    // Enough for the directory's state; new without a profile.
    Answers ask(const DirectoryRecord& record) const
    {
        Answers answers;
        if (!m_profile)
            return answers;
        SendingProfile::DirectoryFacts facts;
        if (SendingProfile::DirectoryStatus kept; m_profiles.getDirectoryState(*m_profile, record.name, kept))
            facts.kept = std::move(kept);
        if (std::uint32_t color = 0; m_profiles.GetCustomColor(*m_profile, record.name, color))
            answers.profileColor = color;
        facts.brokenMark = answers.profileColor == SendingProfile::kBrokenMarkColor;
        facts.sent = answers.sent = m_profiles.IsSubmitted(*m_profile, record.name, record.submitUrl);
        facts.approved = answers.approved =
            answers.sent && m_profiles.IsApproved(*m_profile, record.name, record.submitUrl);
        // The entry's date is read for the rows shown only.
        answers.status = DirectoryStates::statusOf(facts);
        return answers;
    }

    ListedDirectory read(const DirectoryRecord& record, Answers&& answers) const
    {
        ListedDirectory listed;
        DirectoryListRow& row = listed.row;
        row.text = taggedDirectoryName(record.name, record.pr);
        listed.taggedLength = row.text.size();
        row.address = record.submitUrl;
        row.name = record.name;
        row.rating = record.listFacts.rating;
        row.linkType = record.listFacts.linkType;
        row.pr = record.pr;
        row.status = std::move(answers.status);
        row.color = revisionColor(record.revision, m_latestRevision);
        m_profiles.GetCustomText(record.name, row.customText);
        if (!m_profile)
            return listed;
        listed.sent = answers.sent;
        if (answers.sent) {
            row.text += answers.approved ? kApprovedSuffix : kSentSuffix;
            row.color = kSentRowColor;
            m_profiles.GetSubmissionDate(*m_profile, record.name, row.date);
            if (row.status.state == DirectoryState::Sent || row.status.state == DirectoryState::Approved)
                row.status.date = row.date;
        } else {
            row.text += kNotSentSuffix;
        }
        std::uint32_t global = 0;
        if (answers.profileColor)
            row.color = *answers.profileColor;
        else if (m_profiles.GetCustomColor({}, record.name, global))
            row.color = global;
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

// Each sort's column and direction, in the order of DirectorySort.
struct SortKey {
    DirectoryColumn column;
    bool descending;
};
constexpr SortKey kSortKeys[kDirectorySortCount] = {
    { DirectoryColumn::PageRank, false },
    { DirectoryColumn::PageRank, true },
    { DirectoryColumn::Name, false },
    { DirectoryColumn::Name, true },
    { DirectoryColumn::State, false },
    { DirectoryColumn::State, true },
    { DirectoryColumn::Rating, true },
    { DirectoryColumn::Rating, false },
    { DirectoryColumn::Link, false },
    { DirectoryColumn::Link, true },
    { DirectoryColumn::Category, false },
    { DirectoryColumn::Category, true },
    { DirectoryColumn::Date, true },
    { DirectoryColumn::Date, false },
};

} // namespace

DirectoryList buildDirectoryList(
    const DirectoryStore& directories, const ProfileStore& profiles, const DirectoryListQuery& query)
{
    DirectoryList list;
    list.forProfile = query.profile.has_value();
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
        // The progress counts every directory, so its state is read before any filter.
        RowReader::Answers answers = reader.ask(record);
        if (query.profile)
            list.progress.count(answers.status.state);
        if (!hasState(query.states, answers.status.state)
            || !passesCategoryFilter(record.category, query.categoryFilter)
            || !matchesSearch(record, lowerSearch))
            continue;
        ListedDirectory entry = reader.read(record, std::move(answers));
        entry.category = record.category;
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

DirectoryListRow readDirectoryRow(const DirectoryStore& directories, const ProfileStore& profiles,
    const DirectoryRecord& record, const std::optional<std::string>& profile)
{
    const RowReader reader(profiles, profile, directories.GetLatestDirectoryRevision());
    return reader.read(record, reader.ask(record)).row;
}

bool isListableDirectoryName(const std::string& name)
{
    return name.size() > 2 && name[0] != '_' && name[1] != '_';
}

std::string limitSearchText(const std::string& text)
{
    return std::string(utf8Prefix(text, kSearchTextLimit));
}

std::optional<std::size_t> nextDirectoryRow(const DirectoryList& list)
{
    const auto found = std::ranges::find_if(
        list.rows, [](const DirectoryListRow& row) { return row.status.state == DirectoryState::New; });
    if (found == list.rows.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - list.rows.begin());
}

DirectoryColumn sortColumn(DirectorySort sort)
{
    return kSortKeys[static_cast<std::size_t>(sort)].column;
}

bool sortsDescending(DirectorySort sort)
{
    return kSortKeys[static_cast<std::size_t>(sort)].descending;
}

DirectorySort sortOf(DirectoryColumn column, bool descending)
{
    for (int sort = 0; sort < kDirectorySortCount; ++sort) {
        if (kSortKeys[sort].column == column && kSortKeys[sort].descending == descending)
            return static_cast<DirectorySort>(sort);
    }
    return DirectorySort::PrDescending;
}

void DirectoryProgress::count(DirectoryState state, int step)
{
    switch (state) {
    case DirectoryState::Approved:
        approved += step;
        sent += step;
        break;
    case DirectoryState::Sent:
        sent += step;
        break;
    case DirectoryState::New:
        toDo += step;
        break;
    default:
        break;
    }
}
