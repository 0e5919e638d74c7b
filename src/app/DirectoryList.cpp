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
#include <iterator>
#include <string_view>
#include <type_traits>
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
};

// In the store's name order.
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

std::string_view taggedName(const ListedDirectory& entry)
{
    return std::string_view(entry.row.text).substr(0, entry.taggedLength);
}

// The place of each listed directory in the byte order of the tagged names.
// Two names of which neither begins the other are in the same order with their
// tags, so the store's order holds for every name that does not begin the next
// one ("Best" before "Best Links"); only those few are sorted by tagged name
// and merged in.
struct NameOrder {
    std::vector<std::uint32_t> place; // of each listed directory
    std::vector<std::uint32_t> byName; // the listed directory at each place
};

NameOrder taggedNameOrder(const Listed& listed)
{
    std::vector<std::uint32_t> staying;
    std::vector<std::uint32_t> moving;
    staying.reserve(listed.size());
    for (std::uint32_t at = 0; at < listed.size(); ++at) {
        const bool beginsNext =
            at + 1 < listed.size() && listed[at + 1].row.name.starts_with(listed[at].row.name);
        (beginsNext ? moving : staying).push_back(at);
    }
    const auto before = [&listed](std::uint32_t a, std::uint32_t b) {
        return taggedName(listed[a]) < taggedName(listed[b]);
    };
    std::ranges::stable_sort(moving, before);
    NameOrder order;
    order.byName.reserve(listed.size());
    std::ranges::merge(staying, moving, std::back_inserter(order.byName), before);
    order.place.resize(listed.size());
    for (std::uint32_t at = 0; at < order.byName.size(); ++at)
        order.place[order.byName[at]] = at;
    return order;
}

// One row's sort key, its place by tagged name and its position in `listed`,
// side by side, so that the sort does not reach into the rows.
template <typename Key> struct SortEntry {
    Key key;
    std::uint32_t name;
    std::uint32_t position;
};

// A number key and a place by name in one number that orders as the two do,
// which sorts fastest.
std::uint64_t packedKey(std::int32_t key, std::uint32_t name, bool descending, bool namesDown)
{
    std::uint32_t high = static_cast<std::uint32_t>(key) ^ 0x80000000u;
    if (descending)
        high = ~high;
    return static_cast<std::uint64_t>(high) << 32 | (namesDown ? ~name : name);
}

// The positions ordered by one key, equal keys by tagged name upwards (or
// downwards with the key, when `namesFollowKey`).
template <typename KeyOf>
std::vector<std::uint32_t> orderByKey(
    const Listed& listed, const NameOrder& names, KeyOf keyOf, bool descending, bool namesFollowKey = false)
{
    using Key = decltype(keyOf(listed.front()));
    const bool namesDown = descending && namesFollowKey;
    std::vector<std::uint32_t> order;
    order.reserve(listed.size());
    if constexpr (std::is_integral_v<Key> || std::is_enum_v<Key>) {
        std::vector<std::uint64_t> packed;
        packed.reserve(listed.size());
        for (std::uint32_t at = 0; at < listed.size(); ++at)
            packed.push_back(packedKey(
                static_cast<std::int32_t>(keyOf(listed[at])), names.place[at], descending, namesDown));
        std::ranges::sort(packed);
        for (const std::uint64_t entry : packed) {
            const std::uint32_t name = static_cast<std::uint32_t>(entry);
            order.push_back(names.byName[namesDown ? ~name : name]);
        }
    } else {
        std::vector<SortEntry<Key>> entries;
        entries.reserve(listed.size());
        for (std::uint32_t at = 0; at < listed.size(); ++at)
            entries.push_back({ keyOf(listed[at]), names.place[at], at });
        std::ranges::sort(entries, [descending](const SortEntry<Key>& a, const SortEntry<Key>& b) {
            if (a.key != b.key)
                return descending ? b.key < a.key : a.key < b.key;
            return a.name < b.name;
        });
        for (const SortEntry<Key>& entry : entries)
            order.push_back(entry.position);
    }
    return order;
}

// The order of the rows as positions into `listed`.
std::vector<std::uint32_t> sortedOrder(const Listed& listed, DirectorySort sort)
{
    if (listed.empty())
        return {};
    const NameOrder names = taggedNameOrder(listed);
    const bool descending = sortsDescending(sort);
    switch (sortColumn(sort)) {
    case DirectoryColumn::PageRank:
        // Equal PageRanks go by name in the sort's own direction, as they always have.
        return orderByKey(
            listed, names, [](const ListedDirectory& entry) { return entry.row.pr; }, descending, true);
    case DirectoryColumn::Name: {
        std::vector<std::uint32_t> order = names.byName;
        if (descending)
            std::ranges::reverse(order);
        return order;
    }
    case DirectoryColumn::State:
        return orderByKey(
            listed, names, [](const ListedDirectory& entry) { return entry.row.status.state; }, descending);
    case DirectoryColumn::Rating:
        return orderByKey(
            listed, names, [](const ListedDirectory& entry) { return entry.row.rating; }, descending);
    case DirectoryColumn::Link:
        return orderByKey(
            listed, names, [](const ListedDirectory& entry) { return std::string_view(entry.row.linkType); },
            descending);
    case DirectoryColumn::Category:
        return orderByKey(
            listed, names, [](const ListedDirectory& entry) { return entry.category; }, descending);
    case DirectoryColumn::Date:
        // The day of each row's state, read once, not once per comparison.
        return orderByKey(
            listed, names,
            [](const ListedDirectory& entry) { return SendingProfile::dayOfDate(entry.row.status.date); },
            descending);
    }
    return {};
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
