#include "custom/CustomDirListModel.h"

#include "common/IMessageBox.h"
#include "custom/CustomCategories.h"
#include "directories/DirectoryStore.h"

#include <algorithm>

namespace {

constexpr const char* kRemoveQuestion = "Are you sure you want to permanently remove this directory?";

} // namespace

CustomDirListModel::CustomDirListModel(
    DirectoryStore& main, DirectoryStore& custom, std::filesystem::path customFile)
    : m_main(main)
    , m_custom(custom)
    , m_customFile(std::move(customFile))
{
    reload();
}

void CustomDirListModel::reload()
{
    m_names.clear();
    m_categories.clear();
    m_known.clear();
    for (const auto& [name, record] : m_custom.records()) {
        m_names.push_back(name);
        addCategories(record.category);
        m_known.emplace(name, record.submitUrl);
    }
    for (const auto& [name, record] : m_main.records()) {
        addCategories(record.category);
        m_known.emplace(name, record.submitUrl);
    }
}

int CustomDirListModel::addDirectories(const WizardRunner& runWizard)
{
    int added = 0;
    for (;;) {
        std::optional<DirectoryWizardModel> wizard = runWizard(DirectoryWizardModel(m_known, m_categories));
        if (!wizard)
            return added;
        store(*wizard);
        ++added;
        addCategories(customCategoryText(wizard->selectedCategories()));
        m_known[wizard->name()] = wizard->address();
        if (std::find(m_names.begin(), m_names.end(), wizard->name()) == m_names.end())
            m_names.push_back(wizard->name());
        save();
        if (!wizard->addAnother())
            return added;
    }
}

bool CustomDirListModel::editDirectory(const std::string& name, const WizardRunner& runWizard)
{
    const DirectoryRecord* directory = m_custom.find(name);
    if (!directory)
        return false;
    std::optional<DirectoryWizardModel> wizard =
        runWizard(DirectoryWizardModel::forEditing(m_known, m_categories, *directory));
    if (!wizard)
        return false;
    store(*wizard);
    reload();
    save();
    return true;
}

bool CustomDirListModel::removeDirectory(const std::string& name, IMessageBox& messages)
{
    if (messages.ask(kRemoveQuestion, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Question)
        != MessageAnswer::Yes)
        return false;
    m_custom.RemoveDirectory(name);
    m_main.RemoveDirectory(name);
    reload();
    save();
    return true;
}

void CustomDirListModel::store(const DirectoryWizardModel& wizard)
{
    // The set gives the categories in sorted order, each once.
    const std::set<std::string> chosen(
        wizard.selectedCategories().begin(), wizard.selectedCategories().end());
    const std::string categoryText = customCategoryText({ chosen.begin(), chosen.end() });
    const std::string& name = wizard.name();
    for (DirectoryStore* store : { &m_custom, &m_main }) {
        store->AddDirectory(name);
        store->SetSubmitUrl(name, wizard.address());
        store->SetPR(name, wizard.pageRank());
        store->SetRevision(name, 0);
        store->SetCategory(name, categoryText);
        store->SetItems(name, wizard.mapping().items());
    }
}

bool CustomDirListModel::save()
{
    if (m_customFile.empty())
        return true;
    return m_custom.SaveCustom(m_customFile, true);
}

void CustomDirListModel::addCategories(const std::string& categoryText)
{
    for (std::string& category : splitCategories(categoryText))
        m_categories.insert(std::move(category));
}
