#pragma once

#include "profiles/ProfileWizardModel.h"

#include <optional>
#include <string>
#include <vector>

class IMessageBox;

namespace SendingProfile {

class ProfileStore;

// The profile manager's list of profile names and its changes, made through the
// store. Nothing here saves the file; the main window does.
class ProfileManagerModel {
public:
    // Fills the list with the store's profile names, in document order.
    ProfileManagerModel(ProfileStore& store, IMessageBox& messages);

    const std::vector<std::string>& names() const { return m_names; }

    // The wizard's fields for a new profile.
    ProfileWizardModel newProfile() const;
    // The wizard's fields for the profile in a row; nothing when the row or the
    // profile does not exist.
    std::optional<ProfileWizardModel> editProfile(int row) const;
    // Stores the profile a wizard finished, under its name, and lists a new name.
    // The row of the profile, or -1 when the store failed.
    int store(const ProfileWizardModel& wizard);
    // Asks, then removes the profile in a row and its list entry; true when removed.
    bool remove(int row);

private:
    bool validRow(int row) const;

    ProfileStore& m_store;
    IMessageBox& m_messages;
    std::vector<std::string> m_names;
};

} // namespace SendingProfile
