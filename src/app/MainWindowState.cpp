#include "app/MainWindowState.h"

#include "app/AutosaveRules.h"
#include "common/FileSecretStore.h"
#include "common/IMessageBox.h"
#include "common/ServiceKeys.h"
#include "profiles/SecretMigration.h"

#include <system_error>

namespace {

std::unique_ptr<ISecretStore> fileStoreUnless(
    ISecretStore* given, const DataFolder& folder, IMessageBox& messages)
{
    return given ? nullptr : std::make_unique<FileSecretStore>(folder.secrets(), messages);
}

} // namespace

MainWindowState::MainWindowState(IMessageBox& messages, DataFolder folder, ISecretStore* secrets)
    : m_messages(messages)
    , m_folder(std::move(folder))
    , m_ownSecrets(fileStoreUnless(secrets, m_folder, messages))
    , m_secrets(secrets ? secrets : m_ownSecrets.get())
    , m_accounts(*m_secrets)
    , m_settingsStore(messages)
    , m_directories(messages, "rf")
    , m_customDirectories(messages, "customdirs")
    , m_profiles(messages)
{
    m_profiles.setSecretStore(m_secrets);
}

MainWindowState::~MainWindowState() = default;

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
    const std::vector<std::string> errors = keepServiceKeys(*m_secrets, services, m_settingsStore);
    if (!errors.empty())
        m_messages.show("Vantelo could not keep the API keys in " + m_secrets->location() + " ("
                + errors.front() + "). They stay in data/settings.xml until it can.",
            kVanteloCaption, MessageIcon::Warning);
    StatisticsServices read = readStatisticsServices(m_settingsStore);
    read.openPageRankKey = services.openPageRankKey;
    read.braveKey = services.braveKey;
    m_hosts.setServices(read);
}

void MainWindowState::loadSettings()
{
    SendingProfile::moveSecretsIntoStore(m_folder, *m_secrets, m_messages);
    m_settingsStore.LoadSettings(m_folder.settings());
    m_settings = readMainSettings(m_settingsStore);
    m_settings.autosaveMinutes = effectiveAutosaveMinutes(m_settings.autosaveMinutes);
    m_hosts = HostConfiguration(m_settingsStore);
    StatisticsServices services = m_hosts.services();
    readServiceKeys(services, *m_secrets);
    m_hosts.setServices(std::move(services));
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
