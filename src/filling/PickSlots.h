#pragma once

#include <string>

// The alternatives drawn for one browser tab while its page was filled: the
// last title, description and keyword line a template picked. A successful
// submission stores them in its entry.
struct PickSlots {
    std::string title;
    std::string description;
    std::string keywords;

    // Empties all three; every fill of the tab's page starts with this.
    void clear() { *this = PickSlots {}; }

    bool operator==(const PickSlots&) const = default;
};
