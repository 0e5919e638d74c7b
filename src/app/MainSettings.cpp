#include "app/MainSettings.h"

#include "common/DecimalText.h"
#include "common/SettingsStore.h"

#include <string>

namespace {

// Booleans are true exactly when the text is "true", in lower case.
void readFlag(const SettingsStore& store, const char* key, bool& flag)
{
    if (const auto value = store.GetSetting(key))
        flag = *value == "true";
}

void readNumber(const SettingsStore& store, const char* key, int& number)
{
    if (const auto value = store.GetSetting(key))
        number = parseDecimal(*value);
}

const char* flagText(bool flag)
{
    return flag ? "true" : "false";
}

} // namespace

MainSettings readMainSettings(const SettingsStore& store)
{
    MainSettings settings;
    readFlag(store, "visualeffects", settings.tabbedBrowsing);
    readFlag(store, "autosave", settings.autosave);
    if (const auto value = store.GetSetting("autofocus"))
        settings.autoFocus = *value == "true";
    readFlag(store, "autoupdate", settings.autoUpdate);
    readNumber(store, "dirlistversion", settings.directoryListVersion);
    if (const auto value = store.GetSetting("recognizeforms"))
        settings.recognizeForms = *value == "true";
    if (const auto value = store.GetSetting("opennextdirectory"))
        settings.openNextAfterSubmission = *value == "true";
    if (const auto value = store.GetSetting("directorycolumns"))
        settings.directoryColumns = *value;
    readNumber(store, "directorypanelwidth", settings.directoryPanelWidth);
    readNumber(store, "autosavei", settings.autosaveMinutes);
    if (settings.autosaveMinutes == 0)
        settings.autosaveMinutes = 3;
    return settings;
}

void writeMainSettings(SettingsStore& store, const MainSettings& settings)
{
    store.SetSetting("visualeffects", flagText(settings.tabbedBrowsing));
    store.SetSetting("autosave", flagText(settings.autosave));
    store.SetSetting("autosavei", std::to_string(settings.autosaveMinutes));
    // Without a value of its own, autofocus is written as it was never set: false.
    store.SetSetting("autofocus", flagText(settings.autoFocus.value_or(false)));
    store.SetSetting("autoupdate", flagText(settings.autoUpdate));
    store.SetSetting("dirlistversion", std::to_string(settings.directoryListVersion));
    // A file that never had the key keeps without it, recognition on.
    if (settings.recognizeForms)
        store.SetSetting("recognizeforms", flagText(*settings.recognizeForms));
    if (settings.openNextAfterSubmission)
        store.SetSetting("opennextdirectory", flagText(*settings.openNextAfterSubmission));
    // The window's layout is written once the window has laid it out.
    if (!settings.directoryColumns.empty())
        store.SetSetting("directorycolumns", settings.directoryColumns);
    if (settings.directoryPanelWidth > 0)
        store.SetSetting("directorypanelwidth", std::to_string(settings.directoryPanelWidth));
}
