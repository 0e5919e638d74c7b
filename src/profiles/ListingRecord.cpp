#include "profiles/ListingRecord.h"

#include <array>
#include <utility>

namespace SendingProfile {

namespace {

constexpr std::array<std::pair<ListingState, std::string_view>, 3> kNames { {
    { ListingState::Listed, "listed" },
    { ListingState::NotFound, "not-found" },
    { ListingState::Unreachable, "unreachable" },
} };

} // namespace

std::string_view listingStateName(ListingState state)
{
    for (const auto& [each, name] : kNames) {
        if (each == state)
            return name;
    }
    return {};
}

std::optional<ListingState> listingStateFromName(std::string_view name)
{
    for (const auto& [state, each] : kNames) {
        if (each == name)
            return state;
    }
    return std::nullopt;
}

} // namespace SendingProfile
