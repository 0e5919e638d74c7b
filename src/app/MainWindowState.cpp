#include "app/MainWindowState.h"

#include "app/AutosaveRules.h"

#include <system_error>

MainWindowState::MainWindowState(IMessageBox& messages, DataFolder folder)
    : m_folder(std::move(folder))
    , m_settingsStore(messages)
    , m_directories(messages, "rf")
    , m_customDirectories(messages, "customdirs")
    , m_profiles(messages)
{
}

void MainWindowState::load()
{
    // A folder made before its files were kept owner-only may be open to others.
    m_folder.protectSecrets();
    loadSettings();
    loadStores();
}

void MainWindowState::loadStores()
{
    // The directories come first: converting an sv.dat takes the submit URLs of its entries from them.
    reloadDirectories();
    openProfiles();
    m_active.loadStored(m_profiles);
}

void MainWindowState::reloadDirectories()
{
    m_directories.MergeCustom(m_customDirectories, m_folder);
}

bool MainWindowState::SaveProfilesAndSettings()
{
    const bool profilesSaved = m_profiles.Save(m_folder.profiles());
    writeMainSettings(m_settingsStore, m_settings);
    // A data folder named on the command line may not have its "data" folder yet.
    std::error_code ignored;
    std::filesystem::create_directories(m_folder.settings().parent_path(), ignored);
    const bool settingsSaved = m_settingsStore.SaveSettings(m_folder.settings());
    m_folder.protectSecrets();
    return profilesSaved && settingsSaved;
}

bool MainWindowState::SaveCustomDirectories()
{
    return m_customDirectories.SaveCustom(m_folder.customDatabase(), true);
}

void MainWindowState::setServices(const StatisticsServices& services)
{
    writeStatisticsServices(m_settingsStore, services);
    m_hosts.setServices(readStatisticsServices(m_settingsStore));
}

void MainWindowState::loadSettings()
{
    m_settingsStore.LoadSettings(m_folder.settings());
    m_settings = readMainSettings(m_settingsStore);
    m_settings.autosaveMinutes = effectiveAutosaveMinutes(m_settings.autosaveMinutes);
    m_hosts = HostConfiguration(m_settingsStore);
}

void MainWindowState::openProfiles()
{
    if (m_profiles.Open(m_folder.profiles()))
        return;
    std::string activeName;
    const int imported = m_profiles.ImportSvDat(m_folder.oldProfiles(), true, activeName, m_directories);
    if (imported != -1 && !activeName.empty())
        m_profiles.SetActiveProfile(activeName);
}
