// vantelo-cli update: the directory database update without windows, with the
// same requests, messages and result as the main program's command.

#include "CommandLine.h"
#include "Commands.h"
#include "common/DataFolder.h"
#include "common/DecimalText.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"
#include "net/BlockingWaitDialog.h"
#include "net/DirectoryUpdate.h"

#include <filesystem>
#include <iostream>

namespace {

constexpr const char* kUsage = "vantelo-cli update [--data-dir DIR]";
constexpr const char* kVersionKey = "dirlistversion";

// The installed version lives in data/settings.xml; a new one is saved at once.
class SettingsDirectoryList : public DirectoryUpdate::IDirectoryList {
public:
    SettingsDirectoryList(SettingsStore& settings, std::filesystem::path file)
        : m_settings(settings)
        , m_file(std::move(file))
    {
    }

    int installedVersion() const override
    {
        return parseDecimal(m_settings.GetSetting(kVersionKey).value_or("0"));
    }

    void setInstalledVersion(int version) override
    {
        m_settings.SetSetting(kVersionKey, std::to_string(version));
        std::error_code ignored;
        std::filesystem::create_directories(m_file.parent_path(), ignored);
        m_saved = m_settings.SaveSettings(m_file);
    }

    // Nothing is loaded here; the next start of the program reads the new file.
    void reloadDirectories() override { }

    bool saved() const { return m_saved; }

private:
    SettingsStore& m_settings;
    std::filesystem::path m_file;
    bool m_saved = false;
};

} // namespace

int runUpdateCommand(const std::vector<std::string>& arguments)
{
    CommandLine line(arguments);
    const std::optional<std::string> dataDir = line.takeOption("--data-dir");
    line.positional(0, kUsage);
    const DataFolder folder = DataFolder::resolve(dataDir);

    StderrMessageBox messages;
    SettingsStore settings(messages);
    // A settings file that is there but unreadable would be replaced by one that
    // holds only the version: leave everything as it is instead.
    if (!settings.LoadSettings(folder.settings()) && std::filesystem::exists(folder.settings())) {
        std::cerr << "vantelo-cli: cannot read " << folder.settings().string() << "; nothing was updated\n";
        return 1;
    }
    const HostConfiguration hosts(settings);
    SettingsDirectoryList list(settings, folder.settings());
    BlockingWaitDialog wait;
    DirectoryUpdate update(messages, wait, list, hosts, folder.mainDatabase());
    switch (update.UpdateDirectoryList()) {
    case DirectoryUpdate::Outcome::Updated:
        return list.saved() ? 0 : 1;
    case DirectoryUpdate::Outcome::UpToDate:
        return 0;
    default:
        return 1;
    }
}
