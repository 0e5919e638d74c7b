#include "custom/ListColumns.h"

#include "autofill/FormText.h"
#include "autofill/PhraseMatcher.h"
#include "custom/DirectoryAddress.h"
#include "custom/ListCells.h"

#include <algorithm>
#include <array>

namespace {

// The word list sections, in the order that settles a tie: "link type" holds
// "link", and "category name" holds "name".
constexpr std::array<ListColumnKind, 6> kKindOrder = { ListColumnKind::LinkType, ListColumnKind::Pricing,
    ListColumnKind::Rating, ListColumnKind::Category, ListColumnKind::Address, ListColumnKind::Name };

const PhraseMatcher& columnWords()
{
    static const PhraseMatcher matcher(FormWords::shipped(),
        { "list.linktype", "list.pricing", "list.rating", "list.category", "list.url", "list.name" });
    return matcher;
}

bool hasWord(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// What a yes in a column of this name means, where it answers yes or no.
std::string_view yesMeansOf(ListColumnKind kind, const std::vector<std::string>& words)
{
    const std::string joined = [&] {
        std::string text;
        for (const std::string& word : words)
            text += word;
        return text;
    }();
    if (kind == ListColumnKind::LinkType) {
        if (joined.find("nofollow") != std::string::npos)
            return "nofollow";
        return joined.find("dofollow") != std::string::npos || hasWord(words, "follow") ? "dofollow" : "";
    }
    if (kind == ListColumnKind::Pricing) {
        if (hasWord(words, "paid"))
            return "paid";
        return hasWord(words, "free") || hasWord(words, "gratis") || hasWord(words, "kostenlos") ? "free"
                                                                                                 : "";
    }
    return {};
}

// The share of a column's sampled cells (of those not empty) that pass a test,
// in percent; 0 for a column without cells.
template <typename Test>
int shareOf(const std::vector<std::vector<std::string>>& sample, std::size_t column, Test test)
{
    int filled = 0;
    int passing = 0;
    for (const std::vector<std::string>& row : sample) {
        if (column >= row.size() || row[column].find_first_not_of(" \t") == std::string::npos)
            continue;
        ++filled;
        passing += test(row[column]) ? 1 : 0;
    }
    return filled == 0 ? 0 : passing * 100 / filled;
}

bool isAddress(const std::string& cell)
{
    std::string address;
    return readListAddress(cell, address);
}

bool isNumber(const std::string& cell)
{
    return cell.find_first_not_of("0123456789.,%/+- \t") == std::string::npos;
}

std::size_t columnCount(
    const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& sample)
{
    std::size_t count = headings.size();
    for (const std::vector<std::string>& row : sample)
        count = std::max(count, row.size());
    return count;
}

// The columns chosen so far, at most one of each kind.
class Choice {
public:
    ListColumn* find(ListColumnKind kind)
    {
        const auto found = std::find_if(m_columns.begin(), m_columns.end(),
            [kind](const ListColumn& column) { return column.kind == kind; });
        return found == m_columns.end() ? nullptr : &*found;
    }

    bool taken(std::size_t index) const
    {
        return std::any_of(m_columns.begin(), m_columns.end(),
            [index](const ListColumn& column) { return column.index == index; });
    }

    void set(ListColumn column)
    {
        std::erase_if(m_columns, [&](const ListColumn& other) {
            return other.kind == column.kind || other.index == column.index;
        });
        m_columns.push_back(std::move(column));
    }

    std::vector<ListColumn> take()
    {
        std::sort(m_columns.begin(), m_columns.end(),
            [](const ListColumn& a, const ListColumn& b) { return a.index < b.index; });
        return std::move(m_columns);
    }

private:
    std::vector<ListColumn> m_columns;
};

// The columns the headings name: for each kind the first that names it
// definitely, else the first that names it weakly.
void chooseByName(const std::vector<std::string>& headings, Choice& choice)
{
    for (const bool weak : { false, true }) {
        for (std::size_t index = 0; index < headings.size(); ++index) {
            const std::optional<ColumnName> name = recogniseColumnName(headings[index]);
            if (!name || name->weak != weak || choice.find(name->kind) || choice.taken(index))
                continue;
            choice.set({ name->kind, index, headings[index], false, name->yesMeans });
        }
    }
}

std::string headingAt(const std::vector<std::string>& headings, std::size_t index)
{
    return index < headings.size() ? headings[index] : std::string();
}

// The address column by content, where the names give none whose cells are addresses.
void chooseAddress(const std::vector<std::string>& headings,
    const std::vector<std::vector<std::string>>& sample, std::size_t columns, Choice& choice)
{
    const ListColumn* named = choice.find(ListColumnKind::Address);
    if (named && shareOf(sample, named->index, isAddress) >= 50)
        return;
    int best = 0;
    std::size_t bestIndex = 0;
    for (std::size_t index = 0; index < columns; ++index) {
        const int share = shareOf(sample, index, isAddress);
        if (share > best) {
            best = share;
            bestIndex = index;
        }
    }
    if (best >= 50 && !(named && named->index == bestIndex))
        choice.set({ ListColumnKind::Address, bestIndex, headingAt(headings, bestIndex), true, {} });
}

void chooseByContent(const std::vector<std::string>& headings,
    const std::vector<std::vector<std::string>>& sample, std::size_t columns, Choice& choice)
{
    chooseAddress(headings, sample, columns, choice);
    const std::vector<std::string> noHeadings;
    for (std::size_t index = 0; index < columns; ++index) {
        if (choice.taken(index))
            continue;
        const std::string heading = headingAt(headings, index);
        // A column the headings name as something else is left alone.
        if (!heading.empty() && recogniseColumnName(heading))
            continue;
        if (!choice.find(ListColumnKind::LinkType) && shareOf(sample, index, [](const std::string& cell) {
                return !readLinkType(cell).empty();
            }) >= 50) {
            choice.set({ ListColumnKind::LinkType, index, heading, true, {} });
        } else if (!choice.find(ListColumnKind::Pricing)
            && shareOf(sample, index,
                   [](const std::string& cell) { return !readPricing(cell).empty() && !isNumber(cell); })
                >= 50) {
            choice.set({ ListColumnKind::Pricing, index, heading, true, {} });
        } else if (!choice.find(ListColumnKind::Name)
            && shareOf(
                   sample, index, [](const std::string& cell) { return !isAddress(cell) && !isNumber(cell); })
                >= 50) {
            choice.set({ ListColumnKind::Name, index, heading, true, {} });
        }
    }
}

} // namespace

std::optional<ColumnName> recogniseColumnName(std::string_view heading)
{
    const std::vector<std::string> words = textWords(heading, TextKind::Identifier);
    std::vector<PhraseMatcher::Match> found;
    columnWords().find(words, found);
    const auto better = [](const PhraseMatcher::Match& a, const PhraseMatcher::Match& b) {
        if (a.weak != b.weak)
            return !a.weak;
        if (a.letters != b.letters)
            return a.letters > b.letters;
        return a.section < b.section;
    };
    const auto best = std::min_element(found.begin(), found.end(), better);
    if (best == found.end())
        return std::nullopt;
    const ListColumnKind kind = kKindOrder[best->section];
    return ColumnName { kind, best->weak, yesMeansOf(kind, words) };
}

std::vector<ListColumn> chooseListColumns(
    const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& sample)
{
    Choice choice;
    chooseByName(headings, choice);
    chooseByContent(headings, sample, columnCount(headings, sample), choice);
    return choice.take();
}

std::string_view columnKindText(ListColumnKind kind)
{
    switch (kind) {
    case ListColumnKind::Name:
        return "name";
    case ListColumnKind::Address:
        return "address";
    case ListColumnKind::Category:
        return "category";
    case ListColumnKind::Rating:
        return "rating";
    case ListColumnKind::LinkType:
        return "link type";
    case ListColumnKind::Pricing:
        return "pricing";
    }
    return {};
}
