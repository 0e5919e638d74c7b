#pragma once

#include <optional>
#include <string>

class SettingsStore;

// The settings the main window works with, as values.
struct MainSettings {
    bool tabbedBrowsing = true; // "visualeffects": every directory opens a new tab
    bool autosave = true; // "autosave": run the autosave timer
    int autosaveMinutes = 3; // "autosavei": autosave period; 0 is taken as 3
    bool autoUpdate = true; // "autoupdate": check for updates at start
    int directoryListVersion = 0; // "dirlistversion": version of the installed directory list
    std::optional<bool> autoFocus; // "autofocus": kept and written back, no other effect
    // "recognizeforms": fill the fields that no form item names but the page's
    // labels do; on unless set, and written only once set
    std::optional<bool> recognizeForms;
    // "opennextdirectory": after a recorded submission, open the next directory
    // to do in its tab; on unless set, and written only once set
    std::optional<bool> openNextAfterSubmission;
    // "directorycolumns": the directory table's column layout (DirectoryColumnLayout); empty for the defaults
    std::string directoryColumns;
    // "directorypanelwidth": the width of the directory column in pixels; 0 for the default
    int directoryPanelWidth = 0;
};

// Whether a recorded submission opens the next directory.
inline bool opensNextAfterSubmission(const MainSettings& settings)
{
    return settings.openNextAfterSubmission.value_or(true);
}

// Whether pages are filled in fields that their labels name as well.
inline bool recognizesForms(const MainSettings& settings)
{
    return settings.recognizeForms.value_or(true);
}

// Reads each value whose key is present; absent keys keep the defaults.
MainSettings readMainSettings(const SettingsStore& store);

// Writes the values into the store in the order the main window has always used.
void writeMainSettings(SettingsStore& store, const MainSettings& settings);
