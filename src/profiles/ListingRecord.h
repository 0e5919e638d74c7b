#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace SendingProfile {

// What the last verification found of a directory's listing of the site.
enum class ListingState {
    Listed, // a page of the directory links the site
    NotFound, // the directory answered, but no page found links the site
    Unreachable, // the directory did not answer
};

// The name of a state in files, on the command line and in JSON: "listed", "not-found", "unreachable".
std::string_view listingStateName(ListingState state);
std::optional<ListingState> listingStateFromName(std::string_view name);

// One verification of one directory for one profile.
struct ListingRecord {
    ListingState state = ListingState::NotFound;
    std::string page; // the page that holds the link
    std::string link; // the link's address as the page gives it, made absolute
    std::string rel; // "nofollow", "ugc", "sponsored" as the link names them; empty: followed
    bool direct = true; // false: the link goes through the directory's own redirect
    std::string anchor; // the link's text
    std::string checked; // "2026-12-09"

    bool followed() const { return rel.empty(); }
    bool operator==(const ListingRecord&) const = default;
};

} // namespace SendingProfile
