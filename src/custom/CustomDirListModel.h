#pragma once

#include "custom/DirectoryWizardModel.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class DirectoryStore;
class IMessageBox;

// The custom directory list manager's data and changes. Every change goes to
// both directory stores: the custom one, which is the custom database file, and
// the main one, which the main window lists. After each change the custom
// database is saved, so that no directory the user added waits for the next
// save of the main window.
class CustomDirListModel {
public:
    // Runs the wizard on a model; the finished model, or nothing when cancelled.
    using WizardRunner = std::function<std::optional<DirectoryWizardModel>(DirectoryWizardModel)>;

    // Over the two stores; the custom database is saved to `customFile` (nothing
    // is saved when it is empty). Reloads at once.
    CustomDirListModel(DirectoryStore& main, DirectoryStore& custom, std::filesystem::path customFile);

    // Reads the lists again from both stores.
    void reload();

    // The custom directories' names, in the custom store's order.
    const std::vector<std::string>& names() const { return m_names; }
    // Every category name of both stores.
    const std::set<std::string>& categories() const { return m_categories; }
    // Every directory of both stores, name to submit URL.
    const std::map<std::string, std::string>& knownDirectories() const { return m_known; }

    // Runs the wizard for new directories, again after each "Save and Add
    // Another", storing each; how many were added.
    int addDirectories(const WizardRunner& runWizard);
    // Runs the wizard on a custom directory and stores the result; false when the
    // name is no custom directory or the wizard was cancelled.
    bool editDirectory(const std::string& name, const WizardRunner& runWizard);
    // Asks, then removes a directory from both stores; whether it was removed.
    bool removeDirectory(const std::string& name, IMessageBox& messages);

    // Stores a finished wizard in both stores under its name: its address, PageRank,
    // revision 0, "Custom" and its categories, and its form items.
    void store(const DirectoryWizardModel& wizard);
    // Writes the custom database; false after a reported error.
    bool save();

private:
    void addCategories(const std::string& categoryText);

    DirectoryStore& m_main;
    DirectoryStore& m_custom;
    std::filesystem::path m_customFile;
    std::vector<std::string> m_names;
    std::set<std::string> m_categories;
    std::map<std::string, std::string> m_known;
};
