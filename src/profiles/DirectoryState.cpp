#include "profiles/DirectoryState.h"

#include <array>

namespace SendingProfile {

namespace {

struct StateTexts {
    DirectoryState state;
    std::string_view name;
    std::string_view caption;
};

constexpr std::array<StateTexts, 10> kStates { {
    { DirectoryState::Approved, "approved", "Approved" },
    { DirectoryState::Sent, "sent", "Sent" },
    { DirectoryState::Lost, "lost", "Lost" },
    { DirectoryState::Failed, "failed", "Failed" },
    { DirectoryState::NeedsAccount, "needs-account", "Needs account" },
    { DirectoryState::PaidOnly, "paid-only", "Paid only" },
    { DirectoryState::NoForm, "no-form", "No form" },
    { DirectoryState::Broken, "broken", "Broken" },
    { DirectoryState::Skipped, "skipped", "Skipped" },
    { DirectoryState::New, "new", "To do" },
} };

constexpr bool inStateOrder()
{
    for (std::size_t at = 0; at < kStates.size(); ++at) {
        if (static_cast<std::size_t>(kStates[at].state) != at)
            return false;
    }
    return true;
}
static_assert(inStateOrder(), "the texts are looked up by the state's value");

const StateTexts& textsOf(DirectoryState state)
{
    return kStates[static_cast<std::size_t>(state)];
}

} // namespace

std::string_view directoryStateName(DirectoryState state)
{
    return textsOf(state).name;
}

std::optional<DirectoryState> directoryStateFromName(std::string_view name)
{
    for (const StateTexts& texts : kStates) {
        if (texts.name == name)
            return texts.state;
    }
    return std::nullopt;
}

std::string_view directoryStateCaption(DirectoryState state)
{
    return textsOf(state).caption;
}

} // namespace SendingProfile
