#pragma once

#include <string>

namespace SendingProfile {

// One directory to which a profile's site was sent, with the texts used.
struct SubmissionEntry {
    std::string friendlyName; // the directory's name, without any list suffix
    std::string url; // the directory's submit URL at the time
    std::string title;
    std::string description;
    std::string keywords;
    std::string datetime; // "%d %B %Y" of the local date, or "unknown"

    bool operator==(const SubmissionEntry&) const = default;
};

} // namespace SendingProfile
