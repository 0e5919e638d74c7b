#include "DataFolderHosts.h"

#include "common/DataFolder.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"

#include <filesystem>
#include <stdexcept>

HostConfiguration hostsOfDataFolder(const std::optional<std::string>& dataDir)
{
    const DataFolder folder = DataFolder::resolve(dataDir);
    StderrMessageBox messages;
    SettingsStore settings(messages);
    if (!settings.LoadSettings(folder.settings()) && std::filesystem::exists(folder.settings()))
        throw std::runtime_error("cannot read " + folder.settings().string());
    return HostConfiguration(settings);
}
