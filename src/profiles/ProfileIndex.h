#pragma once

#include <pugixml.hpp>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace SendingProfile {

// Fast answers to the questions asked of a profile document by directory name or
// URL: the profile elements by name, their entries by directory name and by URL,
// the profile and global colours and the custom texts. Every answer is exactly
// what the store's queries would find in the document, in the same document
// order. It keys on element names, texts and `directory` attributes and on which
// elements exist; it never looks at other attributes (such as `approved`).
// Appending or removing an entry or a directory state is followed through the
// entry and state functions; any other change of the document makes the index
// wrong, so it must be dropped.
class ProfileIndex {
public:
    explicit ProfileIndex(const pugi::xml_document& document);

    // The first `profile` element of that name, or empty.
    pugi::xml_node profile(const std::string& name) const;
    // The `submittedto` elements of the profiles of that name whose `friendlyname`
    // (or `url`) is the text, in document order.
    std::span<const pugi::xml_node> entriesByName(
        const std::string& profile, const std::string& directory) const;
    std::span<const pugi::xml_node> entriesByUrl(const std::string& profile, const std::string& url) const;
    // The first `customcolor` of the profiles of that name for the directory, or empty.
    pugi::xml_node profileColor(const std::string& profile, const std::string& directory) const;
    // The first global `customcolor` or `customtext` for the directory, or empty.
    pugi::xml_node globalColor(const std::string& directory) const;
    pugi::xml_node customText(const std::string& directory) const;
    // The first `directorystate` of the profiles of that name for the directory, or empty.
    pugi::xml_node directoryState(const std::string& profile, const std::string& directory) const;

    // Takes in an entry just appended, complete, as the last child of a profile
    // element. False when the index cannot follow (another profile of the same
    // name comes later in the document): it must then be dropped.
    bool entryAppended(const pugi::xml_node& entry);
    // Lets go of an entry that is about to be removed from its profile element.
    void entryRemoving(const pugi::xml_node& entry);
    // Takes in a directory state just appended to a profile element, for a
    // directory that had none under the profile's name. False when the index
    // cannot follow (the profile has several names): it must then be dropped.
    bool stateAppended(const pugi::xml_node& state);
    // Lets go of a directory state about to be removed, together with every other
    // state of its directory under the profile's name. False when the index
    // cannot follow: it must then be dropped.
    bool stateRemoving(const pugi::xml_node& state);

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    template <typename Value>
    using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
    using NodeList = std::vector<pugi::xml_node>;
    using EntrySpan = std::span<const pugi::xml_node>;

    // What the profiles of one name hold, merged in document order.
    struct ProfileKeys {
        NodeList profiles;
        TextMap<NodeList> entriesByName;
        TextMap<NodeList> entriesByUrl;
        TextMap<pugi::xml_node> colors;
        TextMap<pugi::xml_node> states;
    };

    // The last question of one kind and its answer. The list asks several
    // questions about the same row in a row.
    template <typename Answer> struct LastAnswer {
        const void* scope = nullptr;
        std::string key;
        Answer answer {};
        bool valid = false;

        bool answers(const void* askedScope, const std::string& askedKey) const
        {
            return valid && scope == askedScope && key == askedKey;
        }
        const Answer& remember(const void* askedScope, const std::string& askedKey, Answer found)
        {
            scope = askedScope;
            key = askedKey;
            answer = found;
            valid = true;
            return answer;
        }
    };

    void addProfile(const pugi::xml_node& profile);
    static void addEntry(ProfileKeys& keys, const pugi::xml_node& entry);
    static void addFirst(TextMap<pugi::xml_node>& map, const pugi::xml_node& element);
    static void removeNode(TextMap<NodeList>& map, const std::string& key, const pugi::xml_node& node);
    static EntrySpan find(const TextMap<NodeList>& map, const std::string& key);
    EntrySpan entries(const std::string& profile, const std::string& key, TextMap<NodeList> ProfileKeys::*map,
        LastAnswer<EntrySpan>& last) const;
    const ProfileKeys* findProfile(const std::string& profile) const;
    const std::vector<std::string>& namesOf(const pugi::xml_node& profile) const;
    ProfileKeys* keysOfOnlyName(const pugi::xml_node& profile);
    void forgetLastAnswers();

    TextMap<ProfileKeys> m_profiles;
    // The names of each profile element, so that following an entry change does
    // not walk a profile's thousands of children to find them again.
    std::unordered_map<pugi::xml_node_struct*, std::vector<std::string>> m_profileNames;
    TextMap<pugi::xml_node> m_globalColors;
    TextMap<pugi::xml_node> m_customTexts;
    mutable LastAnswer<const ProfileKeys*> m_lastProfile;
    mutable LastAnswer<EntrySpan> m_lastByName;
    mutable LastAnswer<EntrySpan> m_lastByUrl;
};

} // namespace SendingProfile
