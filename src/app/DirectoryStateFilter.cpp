#include "app/DirectoryStateFilter.h"

using SendingProfile::DirectoryState;

std::span<const StateFilter> stateFilters()
{
    static constexpr StateFilter kFilters[] = {
        { "All", std::nullopt },
        { "To do", DirectoryState::New },
        { "Sent", DirectoryState::Sent },
        { "Approved", DirectoryState::Approved },
        { "Failed", DirectoryState::Failed },
        { "Needs account", DirectoryState::NeedsAccount },
        { "Paid only", DirectoryState::PaidOnly },
        { "Skipped", DirectoryState::Skipped },
    };
    return kFilters;
}
