#pragma once

#include "custom/FormMappingLearner.h"
#include "directories/DirectoryRecord.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class IMessageBox;

// What the custom directory wizard edits and the rules of its steps: the checks
// of the name and address, the name proposed from the address, the form mapping
// learned in the browser, the PageRank answer, the summary and the categories.
// The wizard's window only shows it and hands it its fields.
class DirectoryWizardModel {
public:
    // Where a failed check of the first step puts the focus.
    enum class Focus {
        None, // the checks passed
        Name, // the name field
        Address, // the address field
    };

    // The text above the summary of the last step.
    static constexpr const char* kSummaryIntro =
        "Congratulations. Here is a summary of the details you entered for this directory. While we "
        "determine the PR of this directory you may add it in one or more categories using the options below";

    // A new directory, checked against the known directories (name to address);
    // the known categories are offered for choosing.
    DirectoryWizardModel(std::map<std::string, std::string> known, std::set<std::string> knownCategories);
    // A directory added before: its own name and site do not count as known.
    static DirectoryWizardModel forEditing(std::map<std::string, std::string> known,
        std::set<std::string> knownCategories, const DirectoryRecord& directory);

    bool editing() const { return m_editing; }

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    const std::string& address() const { return m_address; }
    void setAddress(std::string address) { m_address = std::move(address); }
    // The name to show after the address changed: proposed from it for a new
    // directory; an edited directory keeps its name.
    std::optional<std::string> nameForAddress(const std::string& address) const;

    // The checks of the first step on the name and address set: each failure is
    // shown through `messages` and says where the focus goes. When they pass, the
    // address is in lower case with its scheme in front.
    Focus checkFirstStep(IMessageBox& messages);

    std::int32_t pageRank() const { return m_pageRank; }
    // The PageRank query answered; a negative answer counts as 0.
    void pageRankAnswered(std::int32_t answer) { m_pageRank = answer < 0 ? 0 : answer; }
    // The summary of the last step: name, address and PageRank.
    std::string summary() const;

    const std::set<std::string>& knownCategories() const { return m_knownCategories; }
    std::vector<std::string>& selectedCategories() { return m_selectedCategories; }
    const std::vector<std::string>& selectedCategories() const { return m_selectedCategories; }

    FormMappingLearner& mapping() { return m_mapping; }
    const FormMappingLearner& mapping() const { return m_mapping; }

    // Set by "Save and Add Another": the caller opens the wizard again.
    bool addAnother() const { return m_addAnother; }
    void setAddAnother(bool addAnother) { m_addAnother = addAnother; }

private:
    const std::string* knownNameOfSite(const std::string& key) const;

    std::map<std::string, std::string> m_known;
    std::set<std::string> m_knownSites;
    std::set<std::string> m_knownCategories;
    bool m_editing = false;
    std::string m_name;
    std::string m_address;
    std::int32_t m_pageRank = 0;
    std::vector<std::string> m_selectedCategories;
    FormMappingLearner m_mapping;
    bool m_addAnother = false;
};
