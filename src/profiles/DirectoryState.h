#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace SendingProfile {

// Where a profile stands with one directory. The order is the order of the
// "Status" sort: sent and approved first, as they always were, new last.
enum class DirectoryState {
    Approved, // sent, and the listing was approved
    Sent, // a submission is recorded
    Lost, // was listed, and the listing page no longer links the site
    Failed, // the directory's answer said the submission was not taken
    NeedsAccount, // the directory asks the visitor to sign in or up first
    PaidOnly, // the directory lists sites only for a price
    NoForm, // no submission form was found
    Broken, // marked broken for this profile
    Skipped, // the user chose to pass it by
    New, // nothing done yet: to do
};

// The grey profile colour that marks a directory broken for one profile.
inline constexpr std::uint32_t kBrokenMarkColor = 0x00C0C0C0u;

// The name of a state in files and on the command line: "new", "needs-account", ...
std::string_view directoryStateName(DirectoryState state);
// The state of a name; none for a name no state has.
std::optional<DirectoryState> directoryStateFromName(std::string_view name);
// The state as the window shows it: "To do", "Needs account", ...
std::string_view directoryStateCaption(DirectoryState state);

// A directory's state for one profile and what came with it.
struct DirectoryStatus {
    DirectoryState state = DirectoryState::New;
    // When it was reached: the submission entry's date text for sent and
    // approved, a "2021-03-05" date for the others; empty when unknown.
    std::string date;
    std::string reason; // why, in the directory's words where it gave any
    std::string address; // a page that goes with the state (the sign-in page)

    bool operator==(const DirectoryStatus&) const = default;
};

} // namespace SendingProfile
