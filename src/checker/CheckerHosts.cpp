#include "checker/CheckerHosts.h"

#include "common/DataFolder.h"
#include "common/SettingsStore.h"
#include "common/StderrMessageBox.h"

HostConfiguration readCheckerHosts(const DataFolder& folder)
{
    // Reading shows no messages; the box is only what the store is built with.
    StderrMessageBox messages("tessaly");
    SettingsStore settings(messages);
    settings.LoadSettings(folder.settings());
    return HostConfiguration(settings);
}
