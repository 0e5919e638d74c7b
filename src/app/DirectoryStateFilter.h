#pragma once

#include "profiles/DirectoryState.h"

#include <optional>
#include <span>

// One entry of the directory table's state filter: its caption, and the state
// it shows (none: every state).
struct StateFilter {
    const char* caption;
    std::optional<SendingProfile::DirectoryState> state;
};

// "All", "To do", "Sent", "Approved", "Failed", "Needs account", "Paid only", "Skipped".
std::span<const StateFilter> stateFilters();
