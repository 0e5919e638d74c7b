#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// One entry of a file dialog's type list: what it is called and the file name
// patterns it shows, separated by ";".
struct FileFilter {
    std::string description;
    std::string patterns;
};

// What a file dialog asks for.
struct FileDialogRequest {
    enum class Mode {
        Open, // an existing file to read
        Save, // a file to write; an existing one is replaced only after a question
    };

    Mode mode = Mode::Open;
    std::vector<FileFilter> filters;
    std::string defaultExtension; // added to a name typed without one
    std::string presetName; // the file name offered at first
    std::string option {}; // a check box shown with the file list, unticked at first; empty for none
};

// The user's choice in a file dialog.
struct ChosenFile {
    std::filesystem::path path;
    int filterIndex = 0; // the entry of the type list that was selected
    bool optionTicked = false; // the request's check box was ticked
};

// The system's open and save dialogs: the GUI shows them, tests answer them.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;

    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<ChosenFile> choose(const FileDialogRequest& request) = 0;
};
