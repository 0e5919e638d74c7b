#include "checker/CheckerHosts.h"

#include "common/DataFolder.h"
#include "common/SecretStoreChoice.h"
#include "common/ServiceKeys.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"
#include "profiles/SecretMigration.h"

#include <sstream>

HostConfiguration readCheckerHosts(const DataFolder& folder, IMessageBox& messages)
{
    const std::unique_ptr<ISecretStore> secrets = openSecretStore(folder, messages);
    SendingProfile::moveSecretsIntoStore(folder, *secrets, messages);
    // Reading shows no messages; the box is only what the store is built with.
    std::ostringstream unused;
    StderrMessageBox quiet("tessaly", unused, MessageAnswer::No);
    SettingsStore settings(quiet);
    settings.LoadSettings(folder.settings());
    HostConfiguration hosts(settings);
    StatisticsServices services = hosts.services();
    readServiceKeys(services, *secrets);
    hosts.setServices(std::move(services));
    return hosts;
}
