#pragma once

#include <pugixml.hpp>

#include <string>

namespace SendingProfile {

// The queries of the profile document. The caller's texts are bound as the
// variables $profile, $directory and $url instead of being pasted into the query
// text, so names with apostrophes or quotes are matched like any other. The
// entry, date and approval queries are answered by ProfileIndex without running
// them; they are kept here as the definition its answers must match.
class ProfileQueries {
public:
    static constexpr const char* kProfile = "profiles/profile[name = $profile]";
    static constexpr const char* kEntryByName =
        "profiles/profile[name = $profile]/submittedto[friendlyname = $directory]";
    static constexpr const char* kEntryByUrl = "profiles/profile[name = $profile]/submittedto[url = $url]";
    static constexpr const char* kEntryDate =
        "profiles/profile[name = $profile]/submittedto[friendlyname = $directory]/datetime";
    static constexpr const char* kApprovalByName =
        "profiles/profile[name = $profile]/submittedto[friendlyname = $directory]/@approved";
    static constexpr const char* kApprovalByUrl =
        "profiles/profile[name = $profile]/submittedto[url = $url]/@approved";
    static constexpr const char* kAllEntries = "profiles/profile[name = $profile]/submittedto";
    static constexpr const char* kProfileColor =
        "profiles/profile[name = $profile]/customcolor[@directory = $directory]";
    static constexpr const char* kDirectoryState =
        "profiles/profile[name = $profile]/directorystate[@directory = $directory]";
    static constexpr const char* kGlobalColor = "profiles/customcolor[@directory = $directory]";
    static constexpr const char* kCustomText = "profiles/customtext[@directory = $directory]";
    static constexpr const char* kProfileNames = "profiles/profile/name";

    explicit ProfileQueries(
        const std::string& profile, const std::string& directory = {}, const std::string& url = {});
    ProfileQueries(const ProfileQueries&) = delete;
    ProfileQueries& operator=(const ProfileQueries&) = delete;

    // The first match in document order, or an empty node.
    pugi::xpath_node first(const pugi::xml_node& context, const char* query) const;
    // Every match, in document order.
    pugi::xpath_node_set all(const pugi::xml_node& context, const char* query) const;

private:
    // The library takes the set by a non-const pointer; evaluating only reads it.
    mutable pugi::xpath_variable_set m_variables;
};

} // namespace SendingProfile
