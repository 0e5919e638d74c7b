#include "filling/PlaceholderExpander.h"

#include "common/RandomSource.h"
#include "common/TextCase.h"
#include "filling/CategoryWords.h"
#include "profiles/SiteProfile.h"

#include <vector>

using SendingProfile::SiteProfile;

namespace {

constexpr std::string_view kHttpPrefix = "http://";

// Replaces every occurrence of the token, going on after each inserted value so
// that a value holding the token itself is not expanded again.
void replaceAll(std::string& text, std::string_view token, std::string_view value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

// Draws one alternative when the text holds the token and the list has entries;
// with an empty list the token stays and the slot is left alone.
void replaceWithPick(std::string& text, std::string_view token, const std::vector<std::string>& list,
    std::string& slot, IRandomSource& random)
{
    if (list.empty() || text.find(token) == std::string::npos)
        return;
    slot = list[random.pick(list.size()) % list.size()];
    replaceAll(text, token, slot);
}

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

} // namespace

PlaceholderExpander::PlaceholderExpander(IRandomSource& random)
    : m_random(random)
{
}

std::string PlaceholderExpander::expand(
    std::string_view text, const SiteProfile& profile, PickSlots& picks) const
{
    std::string result(text);
    replaceAll(result, "#url#", profile.url);
    replaceAll(result, "#url_no_http#", urlWithoutHttp(profile.url));
    replaceWithPick(result, "#title#", profile.titles, picks.title, m_random);
    replaceWithPick(result, "#desc#", profile.descriptions, picks.description, m_random);
    replaceWithPick(result, "#keywords#", profile.keywords, picks.keywords, m_random);
    replaceAll(result, "#cat#", singleOrFirst(profile.category, profile.categories));
    replaceAll(result, "#subcat#", singleOrFirst(profile.subcategory, profile.subcategories));
    replaceAll(result, "#email#", profile.email);
    replaceAll(result, "#fname#", profile.fname);
    replaceAll(result, "#lname#", profile.lname);
    replaceAll(result, "#username#", profile.username);
    replaceAll(result, "#password#", profile.password);
    replaceAll(result, "#address#", profile.address);
    replaceAll(result, "#city#", profile.city);
    replaceAll(result, "#zip#", profile.zip);
    replaceAll(result, "#province#", profile.province);
    // With the automatic method the script places the link; there is no page URL to give yet.
    replaceAll(result, "#reciprocal#",
        profile.reciprocalMethod == SendingProfile::kReciprocalManual ? profile.reciprocal : std::string());
    return result;
}

std::string urlWithoutHttp(const std::string& url)
{
    return startsWithNoCase(url, kHttpPrefix) ? url.substr(kHttpPrefix.size()) : url;
}
