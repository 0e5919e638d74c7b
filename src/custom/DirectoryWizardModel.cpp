#include "custom/DirectoryWizardModel.h"

#include "common/MessageBox.h"
#include "common/TextCase.h"
#include "custom/CustomCategories.h"
#include "custom/DirectoryAddress.h"

namespace {

constexpr const char* kEnterNameText = "Please enter a name for this directory";
constexpr const char* kValidUrlText = "Please enter a valid URL address (should begin with http://)";
constexpr const char* kNameExistsText =
    "The directory name you entered already exists in Vantelo's database: ";
constexpr const char* kNameExistsEnd = "). Please choose another name";
constexpr const char* kSimilarText =
    "The directory address you entered is very similar to an existing entry in the Vantelo database: ";
constexpr const char* kSimilarEnd = "). Are you sure you want to continue adding this directory?";

} // namespace

DirectoryWizardModel::DirectoryWizardModel(
    std::map<std::string, std::string> known, std::set<std::string> knownCategories)
    : m_known(std::move(known))
    , m_knownCategories(std::move(knownCategories))
{
    for (const auto& [name, address] : m_known)
        m_knownSites.insert(siteKey(address));
}

DirectoryWizardModel DirectoryWizardModel::forEditing(std::map<std::string, std::string> known,
    std::set<std::string> knownCategories, const DirectoryRecord& directory)
{
    known.erase(directory.name);
    DirectoryWizardModel model(std::move(known), std::move(knownCategories));
    model.m_knownSites.erase(siteKey(directory.submitUrl));
    model.m_editing = true;
    model.m_name = directory.name;
    model.m_address = directory.submitUrl;
    for (std::string& category : splitCategories(directory.category))
        addCategoryEntry(model.m_selectedCategories, category);
    model.m_mapping = FormMappingLearner(directory.items);
    return model;
}

std::optional<std::string> DirectoryWizardModel::nameForAddress(const std::string& address) const
{
    if (m_editing)
        return std::nullopt;
    return proposedDirectoryName(address);
}

DirectoryWizardModel::Focus DirectoryWizardModel::checkFirstStep(IMessageBox& messages)
{
    if (m_name.empty()) {
        messages.show(kEnterNameText, kVanteloCaption, MessageIcon::Warning);
        return Focus::Name;
    }
    if (m_address.find('.') == std::string::npos) {
        messages.show(kValidUrlText, kVanteloCaption, MessageIcon::Warning);
        return Focus::Address;
    }
    if (const auto known = m_known.find(m_name); known != m_known.end()) {
        messages.show(kNameExistsText + known->first + " (" + known->second + kNameExistsEnd, kVanteloCaption,
            MessageIcon::Warning);
        return Focus::Name;
    }
    // Compared as it will be stored, so that capitals typed in the address do not hide a known site.
    std::string address = withHttpScheme(lowerAscii(m_address));
    if (const std::string* similar = knownNameOfSite(siteKey(address))) {
        const std::string question = kSimilarText + *similar + " (" + m_known.at(*similar) + kSimilarEnd;
        if (messages.ask(question, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Warning)
            != MessageAnswer::Yes)
            return Focus::Address;
    }
    m_address = std::move(address);
    return Focus::None;
}

std::string DirectoryWizardModel::summary() const
{
    return "Directory Name:\t\t" + m_name + "\nDirectory Address:\t" + m_address + "\nDirectory PR:\t\t"
        + std::to_string(m_pageRank);
}

// The first known directory, in name order, on the site of the key; null when the site is new.
const std::string* DirectoryWizardModel::knownNameOfSite(const std::string& key) const
{
    if (!m_knownSites.contains(key))
        return nullptr;
    for (const auto& [name, address] : m_known) {
        if (siteKey(address) == key)
            return &name;
    }
    return nullptr;
}
