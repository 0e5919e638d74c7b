#include "filling/PlaceholderExpander.h"

#include "common/IRandomSource.h"
#include "common/TextCase.h"
#include "filling/CategoryWords.h"
#include "profiles/SiteProfile.h"

#include <algorithm>
#include <iterator>
#include <vector>

using SendingProfile::SiteProfile;

namespace {

constexpr std::string_view kHttpPrefix = "http://";

// The single category text of an sv.dat import, else the first preferred entry:
// the token must never reach a page, and the preferred list is what a profile
// saved since then still holds.
std::string singleOrFirst(const std::string& single, const std::string& list)
{
    if (!single.empty())
        return single;
    const std::vector<std::string> entries = listEntries(list);
    return entries.empty() ? std::string() : entries.front();
}

// One placeholder: a profile value, or a list one alternative is drawn from;
// with both, the list stands in while the value is empty.
struct Row {
    std::string_view token;
    std::string (*value)(const SiteProfile&) = nullptr;
    std::vector<std::string> SiteProfile::*list = nullptr;
    std::string PickSlots::*slot = nullptr;
};

template <std::string SiteProfile::*member> std::string field(const SiteProfile& profile)
{
    return profile.*member;
}

// The rows in the order they are replaced.
const Row kRows[] = {
    { "#url#", field<&SiteProfile::url> },
    { "#url_no_http#", [](const SiteProfile& profile) { return urlWithoutHttp(profile.url); } },
    { "#title#", nullptr, &SiteProfile::titles, &PickSlots::title },
    { "#desc#", nullptr, &SiteProfile::descriptions, &PickSlots::description },
    { "#keywords#", nullptr, &SiteProfile::keywords, &PickSlots::keywords },
    { "#cat#",
        [](const SiteProfile& profile) { return singleOrFirst(profile.category, profile.categories); } },
    { "#subcat#",
        [](const SiteProfile& profile) {
            return singleOrFirst(profile.subcategory, profile.subcategories);
        } },
    { "#email#", field<&SiteProfile::email> },
    { "#fname#", field<&SiteProfile::fname> },
    { "#lname#", field<&SiteProfile::lname> },
    { "#username#", field<&SiteProfile::username> },
    { "#password#", field<&SiteProfile::password> },
    { "#address#", field<&SiteProfile::address> },
    { "#city#", field<&SiteProfile::city> },
    { "#zip#", field<&SiteProfile::zip> },
    { "#province#", field<&SiteProfile::province> },
    // With the automatic method the script places the link; there is no page URL to give yet.
    { "#reciprocal#",
        [](const SiteProfile& profile) {
            return profile.reciprocalMethod == SendingProfile::kReciprocalManual ? profile.reciprocal
                                                                                 : std::string();
        } },
    { "#tagline#", field<&SiteProfile::tagline> },
    { "#company#", field<&SiteProfile::company> },
    { "#phone#", field<&SiteProfile::phone> },
    { "#country#", field<&SiteProfile::country> },
    { "#twitter#", field<&SiteProfile::twitter> },
    { "#linkedin#", field<&SiteProfile::linkedin> },
    { "#github#", field<&SiteProfile::github> },
    { "#facebook#", field<&SiteProfile::facebook> },
    { "#pricing#", field<&SiteProfile::pricing> },
    { "#founded#", field<&SiteProfile::founded> },
    // Tags were asked for with the keyword lines before a profile had tags of its own.
    { "#tags#", field<&SiteProfile::tags>, &SiteProfile::keywords, &PickSlots::keywords },
};

// Replaces every occurrence of the token, going on after each inserted value so
// that a value holding the token itself is not expanded again.
void replaceAll(std::string& text, std::string_view token, std::string_view value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

} // namespace

PlaceholderExpander::PlaceholderExpander(IRandomSource& random)
    : m_random(random)
{
}

std::string PlaceholderExpander::expand(
    std::string_view text, const SiteProfile& profile, PickSlots& picks) const
{
    return expandFrom(0, text, profile, picks);
}

std::string PlaceholderExpander::expandAfter(
    std::string_view token, std::string_view text, const SiteProfile& profile, PickSlots& picks) const
{
    const auto row = std::find_if(
        std::begin(kRows), std::end(kRows), [token](const Row& each) { return each.token == token; });
    const std::size_t next =
        row == std::end(kRows) ? 0 : static_cast<std::size_t>(row - std::begin(kRows)) + 1;
    return expandFrom(next, text, profile, picks);
}

std::string PlaceholderExpander::expandFrom(
    std::size_t firstRow, std::string_view text, const SiteProfile& profile, PickSlots& picks) const
{
    std::string result(text);
    for (std::size_t at = firstRow; at < std::size(kRows); ++at) {
        const Row& row = kRows[at];
        if (result.find(row.token) == std::string::npos)
            continue;
        if (row.value) {
            const std::string value = row.value(profile);
            if (!value.empty() || !row.list) {
                replaceAll(result, row.token, value);
                continue;
            }
        }
        // One draw per template; with an empty list the token stays and the slot is left alone.
        const std::vector<std::string>& list = profile.*row.list;
        if (list.empty()) {
            if (row.value)
                replaceAll(result, row.token, {});
            continue;
        }
        std::string& slot = picks.*row.slot;
        slot = list[m_random.pick(list.size()) % list.size()];
        replaceAll(result, row.token, slot);
    }
    return result;
}

std::string urlWithoutHttp(const std::string& url)
{
    return startsWithNoCase(url, kHttpPrefix) ? url.substr(kHttpPrefix.size()) : url;
}
