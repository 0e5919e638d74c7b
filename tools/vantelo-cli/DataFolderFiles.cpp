#include "DataFolderFiles.h"

#include "CliCommand.h"
#include "common/ServiceKeys.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"

#include <pugixml.hpp>

HostConfiguration hostsOfDataFolder(const DataFolder& folder, ISecretStore& secrets)
{
    StderrMessageBox messages(kCliProgram);
    SettingsStore settings(messages);
    std::error_code error;
    if (!settings.LoadSettings(folder.settings()) && std::filesystem::exists(folder.settings(), error))
        throw CliFailure("cannot read " + folder.settings().string());
    HostConfiguration hosts(settings);
    StatisticsServices services = hosts.services();
    readServiceKeys(services, secrets);
    hosts.setServices(std::move(services));
    return hosts;
}

void openProfileFile(SendingProfile::ProfileStore& store, const std::filesystem::path& file)
{
    pugi::xml_document probe;
    SendingProfile::ProfileFileLoad load;
    try {
        load = SendingProfile::loadProfileFile(probe, file);
    } catch (const std::exception& error) {
        load.error = error.what();
    }
    std::error_code error;
    if (load.missing)
        throw CliFailure(std::filesystem::exists(file, error) ? file.string() + " is empty"
                                                              : "no profile file " + file.string());
    if (!load.loaded)
        throw CliFailure("cannot read the profiles in " + file.string()
            + (load.error.empty() ? std::string() : ": " + load.error));
    if (!store.Open(file))
        throw CliFailure("cannot read the profiles in " + file.string());
}
