#pragma once

#include <filesystem>
#include <functional>

class IFileDialog;
class IMessageBox;
class IProgramRunner;
class MainWindowState;

// The "File" menu's commands that move data in and out of the program, and the
// hand-off of the custom database to the list checker: what they read and
// write, what they tell the user, and what the window refreshes afterwards.
class FileMenuCommands {
public:
    // What the window shows again after a command changed the stores.
    struct Refresh {
        // Rebuilds the directory list; with reload both databases are read again first.
        std::function<void(bool reload)> populateDirectoryList;
        // Refills the profile drop-down and selects the active profile.
        std::function<void()> profiles;
    };

    static constexpr const char* kListCheckerName = "tessaly";
    static constexpr const char* kCheckerWaitMessage = "Please close the list checker before continuing...";

    // The list checker and the shipped style sheet are looked for in programFolder.
    FileMenuCommands(MainWindowState& state, IMessageBox& messages, IFileDialog& files,
        IProgramRunner& programs, Refresh refresh, std::filesystem::path programFolder);

    // Writes every profile to a file of the user's choice.
    void exportProfiles();
    // Adds the new profiles of an sv.xml or sv.dat file of the user's choice.
    void importProfiles();
    // Copies customdirdata.xml as last saved to a file of the user's choice.
    void exportCustomDatabase();
    // Adds the directories of a custom database file that neither store knows.
    void importCustomDatabase();
    // The active profile's submission history as a workbook or an XML report.
    void exportSubmissionHistory();
    // Saves the custom database, runs the list checker on it and reads it again.
    void checkCustomDatabase();

private:
    void showImportedProfiles(int count);

    MainWindowState& m_state;
    IMessageBox& m_messages;
    IFileDialog& m_files;
    IProgramRunner& m_programs;
    Refresh m_refresh;
    std::filesystem::path m_programFolder;
};
