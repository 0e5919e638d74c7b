#include "app/ActiveProfile.h"

#include "profiles/ProfileStore.h"

#include <vector>

using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;

std::optional<std::string> ActiveProfile::name() const
{
    if (!m_has)
        return std::nullopt;
    return m_profile.name;
}

void ActiveProfile::loadStored(const ProfileStore& store)
{
    std::string name;
    // A name whose profile is gone leaves no active profile rather than an empty one.
    if (store.GetActiveProfile(name) && !name.empty())
        load(store, name);
}

bool ActiveProfile::applySelection(ProfileStore& store, const std::optional<std::string>& selected)
{
    if (!selected) {
        if (!m_has)
            store.SetActiveProfile({});
        return false;
    }
    SiteProfile profile;
    if (!store.GetProfile(*selected, profile))
        return false;
    const bool automatic = profile.reciprocalMethod == SendingProfile::kReciprocalAutomatic;
    // The script makes the page that carries the link; the profile's own address is for the manual method.
    if (automatic)
        profile.reciprocal.clear();
    m_profile = std::move(profile);
    m_has = true;
    store.SetActiveProfile(*selected);
    return automatic;
}

void ActiveProfile::reloadAfterManaging(const ProfileStore& store)
{
    std::vector<std::string> names;
    store.GetProfileNames(names);
    if (m_has && load(store, m_profile.name))
        return;
    m_has = false;
    m_profile = SiteProfile {};
    if (!names.empty())
        load(store, names.front());
}

bool ActiveProfile::load(const ProfileStore& store, const std::string& name)
{
    SiteProfile profile;
    if (!store.GetProfile(name, profile))
        return false;
    m_profile = std::move(profile);
    m_has = true;
    return true;
}
