// vantelo-cli update: the directory database update without windows, with the
// same requests, messages and result as the main program's command.

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

int runUpdate(CliArguments& line)
{
    line.positional(0, 0);
    const DataFolder folder = line.dataFolder();
    StderrMessageBox messages(kCliProgram);
    SettingsStore settings(messages);
    // A settings file that is there but unreadable would be replaced by one that
    // holds only the version: leave everything as it is instead.
    if (!settings.LoadSettings(folder.settings()) && std::filesystem::exists(folder.settings()))
        throw CliFailure("cannot read " + folder.settings().string() + "; nothing was updated");
    const HostConfiguration hosts(settings);
    if (!hosts.hasConfiguredVendorHost())
        throw CliFailure("no update server is configured (vendorhost in " + folder.settings().string() + ")");
    SettingsDirectoryList list(settings, folder.settings());
    BlockingWaitDialog wait;
    DirectoryUpdate update(messages, wait, list, hosts, folder.mainDatabase());
    switch (update.UpdateDirectoryList()) {
    case DirectoryUpdate::Outcome::Updated:
        if (!list.saved())
            throw CliFailure("cannot save the new version in " + folder.settings().string());
        return kExitSuccess;
    case DirectoryUpdate::Outcome::UpToDate:
        return kExitSuccess;
    default:
        throw CliFailure("no usable answer from " + hosts.vendorHost() + "; " + folder.mainDatabase().string()
            + " is as it was");
    }
}

} // namespace

const CliCommand& updateCommand()
{
    static const CliCommand command { "update", "",
        "Update dirdata.xml of the data folder from the vendor's server.", {},
        "Asks the server named by vendorhost in data/settings.xml for the version of\n"
        "its directory database and downloads it when it is newer. The new database\n"
        "replaces dirdata.xml only when it arrived whole; its version is saved as\n"
        "dirlistversion in data/settings.xml. The program's messages go to standard\n"
        "error. A database that is up to date already counts as success.",
        CliCommand::kDataFolder, runUpdate };
    return command;
}
