#pragma once

#include "profiles/SiteProfile.h"

#include <optional>
#include <string>

namespace SendingProfile {
class ProfileStore;
}

// The main window's copy of the active profile and whether it holds one. Its
// name is the key of the submission entries, approvals and colours the window
// reads and writes; commands that need a profile test has() first.
class ActiveProfile {
public:
    bool has() const { return m_has; }
    const SendingProfile::SiteProfile& profile() const { return m_profile; }
    // The profile's name while there is one.
    std::optional<std::string> name() const;

    // At start-up: the profile the store names as active, when it exists.
    void loadStored(const SendingProfile::ProfileStore& store);

    // A choice in the profile drop-down (none when nothing is chosen): the chosen
    // profile becomes the active one, in the store too. True when that profile
    // places its reciprocal links through its script; its copy then has no
    // reciprocal page address yet.
    bool applySelection(SendingProfile::ProfileStore& store, const std::optional<std::string>& selected);

    // After the profile manager ran: the active profile read again, or the first
    // profile when it is gone (or none was active), or none when no profile is left.
    void reloadAfterManaging(const SendingProfile::ProfileStore& store);

private:
    bool load(const SendingProfile::ProfileStore& store, const std::string& name);

    SendingProfile::SiteProfile m_profile;
    bool m_has = false;
};
