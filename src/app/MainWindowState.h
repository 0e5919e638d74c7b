#pragma once

#include "app/ActiveProfile.h"
#include "app/MainSettings.h"
#include "common/DataFolder.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "directories/DirectoryStore.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ProfileStore.h"

#include <memory>

class IMessageBox;
class ISecretStore;

// What the main window keeps for its whole life besides its controls: the main
// and custom directory stores, the profile store with the copy of the active
// profile, and the settings; how they are read at start-up and saved. Every
// failure is reported by the store that meets it. The passwords and API keys are
// kept in a secret store: the one given, else the data folder's data/secrets.
class MainWindowState {
public:
    MainWindowState(IMessageBox& messages, DataFolder folder, ISecretStore* secrets = nullptr);
    ~MainWindowState();

    // Reads the settings, both directory databases (merged) and the profiles; an
    // old sv.dat is converted when sv.xml does not load.
    void load();
    // The two halves of load: the settings, which the window needs at once, and
    // the stores, which may take a while. The settings come after the secrets
    // that older files hold have moved into the secret store.
    void loadSettings();
    void loadStores();
    // Reads both directory databases again and merges the custom directories into the main list.
    void reloadDirectories();

    // Writes sv.xml and data/settings.xml.
    bool SaveProfilesAndSettings();
    // Writes customdirdata.xml.
    bool SaveCustomDirectories();

    const DataFolder& folder() const { return m_folder; }
    MainSettings& settings() { return m_settings; }
    const MainSettings& settings() const { return m_settings; }
    const HostConfiguration& hosts() const { return m_hosts; }
    // Takes the statistics services the settings dialog chose; they reach the
    // file with the next save (their API keys the secret store at once), and
    // every later request uses them.
    void setServices(const StatisticsServices& services);
    DirectoryStore& directories() { return m_directories; }
    DirectoryStore& customDirectories() { return m_customDirectories; }
    SendingProfile::ProfileStore& profiles() { return m_profiles; }
    ISecretStore& secrets() { return *m_secrets; }
    SendingProfile::DirectoryAccounts& accounts() { return m_accounts; }
    ActiveProfile& active() { return m_active; }
    const ActiveProfile& active() const { return m_active; }

private:
    void openProfiles();

    IMessageBox& m_messages;
    DataFolder m_folder;
    std::unique_ptr<ISecretStore> m_ownSecrets;
    ISecretStore* m_secrets;
    SendingProfile::DirectoryAccounts m_accounts;
    SettingsStore m_settingsStore;
    MainSettings m_settings;
    HostConfiguration m_hosts;
    DirectoryStore m_directories;
    DirectoryStore m_customDirectories;
    SendingProfile::ProfileStore m_profiles;
    ActiveProfile m_active;
};
