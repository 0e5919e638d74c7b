#include "profiles/ProfileIndex.h"

#include "profiles/StringValue.h"

#include <algorithm>
#include <cstring>

namespace SendingProfile {

namespace {

// The distinct texts of the children of that name, in document order: a query's
// predicate matches when any one of them equals the caller's text.
std::vector<std::string> childTexts(const pugi::xml_node& element, const char* name)
{
    std::vector<std::string> texts;
    for (const pugi::xml_node& child : element.children(name)) {
        std::string text = stringValue(child);
        if (std::find(texts.begin(), texts.end(), text) == texts.end())
            texts.push_back(std::move(text));
    }
    return texts;
}

} // namespace

ProfileIndex::ProfileIndex(const pugi::xml_document& document)
{
    const pugi::xml_node root = document.child("profiles");
    for (const pugi::xml_node& child : root.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (std::strcmp(child.name(), "profile") == 0)
            addProfile(child);
        else if (std::strcmp(child.name(), "customcolor") == 0)
            addFirst(m_globalColors, child);
        else if (std::strcmp(child.name(), "customtext") == 0)
            addFirst(m_customTexts, child);
    }
}

std::span<const pugi::xml_node> ProfileIndex::entriesByName(const std::string& profile,
                                                            const std::string& directory) const
{
    const ProfileKeys* keys = findProfile(profile);
    return keys ? find(keys->entriesByName, directory) : std::span<const pugi::xml_node>();
}

std::span<const pugi::xml_node> ProfileIndex::entriesByUrl(const std::string& profile, const std::string& url) const
{
    const ProfileKeys* keys = findProfile(profile);
    return keys ? find(keys->entriesByUrl, url) : std::span<const pugi::xml_node>();
}

pugi::xml_node ProfileIndex::profileColor(const std::string& profile, const std::string& directory) const
{
    const ProfileKeys* keys = findProfile(profile);
    if (!keys)
        return {};
    const auto found = keys->colors.find(directory);
    return found == keys->colors.end() ? pugi::xml_node() : found->second;
}

pugi::xml_node ProfileIndex::globalColor(const std::string& directory) const
{
    const auto found = m_globalColors.find(directory);
    return found == m_globalColors.end() ? pugi::xml_node() : found->second;
}

pugi::xml_node ProfileIndex::customText(const std::string& directory) const
{
    const auto found = m_customTexts.find(directory);
    return found == m_customTexts.end() ? pugi::xml_node() : found->second;
}

void ProfileIndex::addProfile(const pugi::xml_node& profile)
{
    // Profiles are visited in document order, so appending keeps every list in
    // the order a query returns its matches, also when several profiles share a name.
    for (const std::string& name : childTexts(profile, "name")) {
        ProfileKeys& keys = m_profiles[name];
        for (const pugi::xml_node& child : profile.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (std::strcmp(child.name(), "submittedto") == 0)
                addEntry(keys, child);
            else if (std::strcmp(child.name(), "customcolor") == 0)
                addFirst(keys.colors, child);
        }
    }
}

void ProfileIndex::addEntry(ProfileKeys& keys, const pugi::xml_node& entry)
{
    for (std::string& name : childTexts(entry, "friendlyname"))
        keys.entriesByName[std::move(name)].push_back(entry);
    for (std::string& url : childTexts(entry, "url"))
        keys.entriesByUrl[std::move(url)].push_back(entry);
}

void ProfileIndex::addFirst(TextMap<pugi::xml_node>& map, const pugi::xml_node& element)
{
    // A query compares only the first attribute of a name, as the XML library keeps them.
    const pugi::xml_attribute directory = element.attribute("directory");
    if (directory)
        map.try_emplace(directory.value(), element);
}

std::span<const pugi::xml_node> ProfileIndex::find(const TextMap<NodeList>& map, const std::string& key)
{
    const auto found = map.find(key);
    return found == map.end() ? std::span<const pugi::xml_node>() : std::span<const pugi::xml_node>(found->second);
}

const ProfileIndex::ProfileKeys* ProfileIndex::findProfile(const std::string& profile) const
{
    const auto found = m_profiles.find(profile);
    return found == m_profiles.end() ? nullptr : &found->second;
}

} // namespace SendingProfile
