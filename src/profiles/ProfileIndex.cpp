#include "profiles/ProfileIndex.h"

#include "profiles/StringValue.h"

#include <algorithm>
#include <cstring>

namespace SendingProfile {

namespace {

// Most rows of the list have no entry, colour or text, so most lookups miss; with
// three of four buckets empty a miss usually ends at its bucket.
constexpr float kLoadFactor = 0.25f;

template <typename Map> void spread(Map& map)
{
    map.max_load_factor(kLoadFactor);
    map.rehash(static_cast<std::size_t>(static_cast<float>(map.size()) / kLoadFactor));
}

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

bool isElement(const pugi::xml_node& node, const char* name)
{
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

} // namespace

ProfileIndex::ProfileIndex(const pugi::xml_document& document)
{
    for (const pugi::xml_node& child : document.child("profiles").children()) {
        if (isElement(child, "profile"))
            addProfile(child);
        else if (isElement(child, "customcolor"))
            addFirst(m_globalColors, child);
        else if (isElement(child, "customtext"))
            addFirst(m_customTexts, child);
    }
    spread(m_globalColors);
    spread(m_customTexts);
    for (auto& [name, keys] : m_profiles) {
        spread(keys.entriesByName);
        spread(keys.entriesByUrl);
        spread(keys.colors);
        spread(keys.states);
    }
}

pugi::xml_node ProfileIndex::profile(const std::string& name) const
{
    const ProfileKeys* keys = findProfile(name);
    return keys ? keys->profiles.front() : pugi::xml_node();
}

std::span<const pugi::xml_node> ProfileIndex::entriesByName(
    const std::string& profile, const std::string& directory) const
{
    return entries(profile, directory, &ProfileKeys::entriesByName, m_lastByName);
}

std::span<const pugi::xml_node> ProfileIndex::entriesByUrl(
    const std::string& profile, const std::string& url) const
{
    return entries(profile, url, &ProfileKeys::entriesByUrl, m_lastByUrl);
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

pugi::xml_node ProfileIndex::directoryState(const std::string& profile, const std::string& directory) const
{
    const ProfileKeys* keys = findProfile(profile);
    // Most profiles keep no states: the directory's name is not even hashed then.
    if (!keys || keys->states.empty())
        return {};
    const auto found = keys->states.find(directory);
    return found == keys->states.end() ? pugi::xml_node() : found->second;
}

bool ProfileIndex::entryAppended(const pugi::xml_node& entry)
{
    forgetLastAnswers();
    const pugi::xml_node profile = entry.parent();
    const std::vector<std::string>& names = namesOf(profile);
    if (names.empty())
        return false;
    // Appending keeps document order only if no later profile shares a name.
    for (const std::string& name : names) {
        const auto found = m_profiles.find(name);
        if (found == m_profiles.end() || found->second.profiles.back() != profile)
            return false;
    }
    for (const std::string& name : names)
        addEntry(m_profiles.find(name)->second, entry);
    return true;
}

void ProfileIndex::entryRemoving(const pugi::xml_node& entry)
{
    forgetLastAnswers();
    for (const std::string& name : namesOf(entry.parent())) {
        const auto found = m_profiles.find(name);
        if (found == m_profiles.end())
            continue;
        for (const std::string& directory : childTexts(entry, "friendlyname"))
            removeNode(found->second.entriesByName, directory, entry);
        for (const std::string& url : childTexts(entry, "url"))
            removeNode(found->second.entriesByUrl, url, entry);
    }
}

bool ProfileIndex::stateAppended(const pugi::xml_node& state)
{
    forgetLastAnswers();
    ProfileKeys* keys = keysOfOnlyName(state.parent());
    if (!keys)
        return false;
    addFirst(keys->states, state);
    return true;
}

bool ProfileIndex::stateRemoving(const pugi::xml_node& state)
{
    forgetLastAnswers();
    ProfileKeys* keys = keysOfOnlyName(state.parent());
    if (!keys)
        return false;
    keys->states.erase(std::string(state.attribute("directory").value()));
    return true;
}

void ProfileIndex::addProfile(const pugi::xml_node& profile)
{
    // Profiles are visited in document order, so appending keeps every list in
    // the order a query returns its matches, also when several profiles share a name.
    const std::vector<std::string>& names = m_profileNames[profile.internal_object()] =
        childTexts(profile, "name");
    for (const std::string& name : names) {
        ProfileKeys& keys = m_profiles[name];
        keys.profiles.push_back(profile);
        for (const pugi::xml_node& child : profile.children()) {
            if (isElement(child, "submittedto"))
                addEntry(keys, child);
            else if (isElement(child, "customcolor"))
                addFirst(keys.colors, child);
            else if (isElement(child, "directorystate"))
                addFirst(keys.states, child);
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

void ProfileIndex::removeNode(TextMap<NodeList>& map, const std::string& key, const pugi::xml_node& node)
{
    const auto found = map.find(key);
    if (found == map.end())
        return;
    std::erase(found->second, node);
    if (found->second.empty())
        map.erase(found);
}

ProfileIndex::EntrySpan ProfileIndex::find(const TextMap<NodeList>& map, const std::string& key)
{
    const auto found = map.find(key);
    return found == map.end() ? EntrySpan() : EntrySpan(found->second);
}

ProfileIndex::EntrySpan ProfileIndex::entries(const std::string& profile, const std::string& key,
    TextMap<NodeList> ProfileKeys::*map, LastAnswer<EntrySpan>& last) const
{
    const ProfileKeys* keys = findProfile(profile);
    if (!keys)
        return {};
    if (last.answers(keys, key))
        return last.answer;
    return last.remember(keys, key, find(keys->*map, key));
}

const ProfileIndex::ProfileKeys* ProfileIndex::findProfile(const std::string& profile) const
{
    if (m_lastProfile.answers(this, profile))
        return m_lastProfile.answer;
    const auto found = m_profiles.find(profile);
    return m_lastProfile.remember(this, profile, found == m_profiles.end() ? nullptr : &found->second);
}

// A profile with several names shares its states with other profiles of each
// name, whose order the index does not keep: it cannot follow their changes.
ProfileIndex::ProfileKeys* ProfileIndex::keysOfOnlyName(const pugi::xml_node& profile)
{
    const std::vector<std::string>& names = namesOf(profile);
    if (names.size() != 1)
        return nullptr;
    const auto found = m_profiles.find(names.front());
    return found == m_profiles.end() ? nullptr : &found->second;
}

const std::vector<std::string>& ProfileIndex::namesOf(const pugi::xml_node& profile) const
{
    static const std::vector<std::string> kNone;
    const auto found = m_profileNames.find(profile.internal_object());
    return found == m_profileNames.end() ? kNone : found->second;
}

// Remembered answers point into lists that a change may move or empty.
void ProfileIndex::forgetLastAnswers()
{
    m_lastProfile.valid = false;
    m_lastByName.valid = false;
    m_lastByUrl.valid = false;
}

} // namespace SendingProfile
