#pragma once

#include <pugixml.hpp>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace SendingProfile {

// Fast answers to the questions the directory list asks for every row: the
// entries of a profile by directory name and by URL, the profile and global
// colours and the custom texts. It is a snapshot of one document: it answers
// exactly what the store's queries would find in that document (same matches,
// same document order) and must be dropped as soon as the document changes.
class ProfileIndex {
public:
    explicit ProfileIndex(const pugi::xml_document& document);

    // The `submittedto` elements of the profiles of that name whose `friendlyname`
    // (or `url`) is the text, in document order.
    std::span<const pugi::xml_node> entriesByName(const std::string& profile, const std::string& directory) const;
    std::span<const pugi::xml_node> entriesByUrl(const std::string& profile, const std::string& url) const;
    // The first `customcolor` of the profiles of that name for the directory, or empty.
    pugi::xml_node profileColor(const std::string& profile, const std::string& directory) const;
    // The first global `customcolor` or `customtext` for the directory, or empty.
    pugi::xml_node globalColor(const std::string& directory) const;
    pugi::xml_node customText(const std::string& directory) const;

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    template <typename Value>
    using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
    using NodeList = std::vector<pugi::xml_node>;

    // What the profiles of one name hold, merged in document order.
    struct ProfileKeys {
        TextMap<NodeList> entriesByName;
        TextMap<NodeList> entriesByUrl;
        TextMap<pugi::xml_node> colors;
    };

    void addProfile(const pugi::xml_node& profile);
    static void addEntry(ProfileKeys& keys, const pugi::xml_node& entry);
    static void addFirst(TextMap<pugi::xml_node>& map, const pugi::xml_node& element);
    static std::span<const pugi::xml_node> find(const TextMap<NodeList>& map, const std::string& key);
    const ProfileKeys* findProfile(const std::string& profile) const;

    TextMap<ProfileKeys> m_profiles;
    TextMap<pugi::xml_node> m_globalColors;
    TextMap<pugi::xml_node> m_customTexts;
};

} // namespace SendingProfile
