#include "profiles/ProfileManagerModel.h"

#include "common/IMessageBox.h"
#include "profiles/ProfileStore.h"

#include <algorithm>
#include <cstddef>

namespace SendingProfile {

namespace {

constexpr const char* kRemoveQuestion = "Are you sure you want to permanently remove this profile?";

} // namespace

ProfileManagerModel::ProfileManagerModel(ProfileStore& store, IMessageBox& messages)
    : m_store(store)
    , m_messages(messages)
{
    m_store.GetProfileNames(m_names);
}

ProfileWizardModel ProfileManagerModel::newProfile() const
{
    return ProfileWizardModel::newProfile(m_messages, m_names);
}

std::optional<ProfileWizardModel> ProfileManagerModel::editProfile(int row) const
{
    if (!validRow(row))
        return std::nullopt;
    SiteProfile profile;
    if (!m_store.GetProfile(m_names[static_cast<std::size_t>(row)], profile))
        return std::nullopt;
    return ProfileWizardModel::existingProfile(m_messages, profile);
}

int ProfileManagerModel::store(const ProfileWizardModel& wizard)
{
    const SiteProfile profile = wizard.profile();
    if (!m_store.SetProfile(profile.name, profile))
        return -1;
    const auto listed = std::ranges::find(m_names, profile.name);
    if (listed != m_names.end())
        return static_cast<int>(listed - m_names.begin());
    m_names.push_back(profile.name);
    return static_cast<int>(m_names.size()) - 1;
}

bool ProfileManagerModel::remove(int row)
{
    if (!validRow(row))
        return false;
    const MessageAnswer answer =
        m_messages.ask(kRemoveQuestion, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Question);
    if (answer != MessageAnswer::Yes)
        return false;
    // A profile the store could not remove stays listed.
    if (!m_store.RemoveProfile(m_names[static_cast<std::size_t>(row)]))
        return false;
    m_names.erase(m_names.begin() + row);
    return true;
}

bool ProfileManagerModel::validRow(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < m_names.size();
}

} // namespace SendingProfile
