#include "profiles/ProfileWizardModel.h"

#include "common/MessageBox.h"
#include "common/TextCase.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace SendingProfile {

namespace {

constexpr const char* kNameMissing = "You must choose a name for this profile!";
constexpr const char* kNameTaken = "A profile with this name exists already. Please choose another name.";
constexpr const char* kUrlMissing = "You must enter an url (site address) for this profile!";
constexpr const char* kTitleMissing = "You must enter at least one title for your site!";
constexpr const char* kDescriptionMissing = "You must enter at least one description for your site!";
constexpr const char* kKeywordsMissing = "You must enter at least one keyword for your site!";
constexpr const char* kContactMissing =
    "It is recommended that you enter at least a first and last name along with an email address. Do you "
    "want to continue anyway?";
constexpr const char* kContinueCaption = "Vantelo - Continue?";

bool validRow(const std::vector<std::string>& list, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < list.size();
}

} // namespace

ProfileWizardModel ProfileWizardModel::newProfile(
    IMessageBox& messages, std::vector<std::string> existingNames)
{
    return ProfileWizardModel(messages, SiteProfile(), std::move(existingNames), false);
}

ProfileWizardModel ProfileWizardModel::existingProfile(IMessageBox& messages, const SiteProfile& profile)
{
    return ProfileWizardModel(messages, profile, {}, true);
}

// A new profile's titles become its first search phrases; an edited one keeps its own.
ProfileWizardModel::ProfileWizardModel(
    IMessageBox& messages, SiteProfile fields, std::vector<std::string> existingNames, bool editMode)
    : m_messages(&messages)
    , m_fields(std::move(fields))
    , m_existingNames(std::move(existingNames))
    , m_editMode(editMode)
    , m_seedSerpPhrases(!editMode)
{
}

WizardFocus ProfileWizardModel::checkNamePage()
{
    if (m_fields.name.empty()) {
        m_messages->show(kNameMissing, kVanteloCaption, MessageIcon::Warning);
        return WizardFocus::Name;
    }
    // Storing a new profile under a name in use would overwrite that profile.
    if (!m_editMode && std::ranges::find(m_existingNames, m_fields.name) != m_existingNames.end()) {
        m_messages->show(kNameTaken, kVanteloCaption, MessageIcon::Warning);
        return WizardFocus::Name;
    }
    return WizardFocus::None;
}

WizardFocus ProfileWizardModel::checkSitePage()
{
    struct Check {
        bool failed;
        const char* message;
        WizardFocus focus;
    };
    const Check checks[] = {
        { m_fields.url.empty(), kUrlMissing, WizardFocus::Url },
        { m_fields.titles.empty(), kTitleMissing, WizardFocus::AddTitle },
        { m_fields.descriptions.empty(), kDescriptionMissing, WizardFocus::AddDescription },
        { m_fields.keywords.empty(), kKeywordsMissing, WizardFocus::AddKeywords },
    };
    for (const Check& check : checks) {
        if (check.failed) {
            m_messages->show(check.message, kVanteloCaption, MessageIcon::Warning);
            return check.focus;
        }
    }
    return WizardFocus::None;
}

bool ProfileWizardModel::checkContactPage()
{
    if (!m_fields.fname.empty() && !m_fields.lname.empty() && !m_fields.email.empty())
        return true;
    return m_messages->ask(kContactMissing, kContinueCaption, MessageButtons::YesNo, MessageIcon::Warning)
        == MessageAnswer::Yes;
}

void ProfileWizardModel::leaveSitePage()
{
    if (!m_seedSerpPhrases)
        return;
    m_fields.serpPhrases.insert(m_fields.serpPhrases.end(), m_fields.titles.begin(), m_fields.titles.end());
    m_seedSerpPhrases = false;
}

std::vector<std::string>& ProfileWizardModel::list(AlternativeList which)
{
    switch (which) {
    case AlternativeList::Descriptions:
        return m_fields.descriptions;
    case AlternativeList::Keywords:
        return m_fields.keywords;
    case AlternativeList::Titles:
        break;
    }
    return m_fields.titles;
}

const char* ProfileWizardModel::addCaption(AlternativeList which)
{
    switch (which) {
    case AlternativeList::Descriptions:
        return "Add Description...";
    case AlternativeList::Keywords:
        return "Add Keywords...";
    case AlternativeList::Titles:
        break;
    }
    return "Add Title...";
}

const char* ProfileWizardModel::editCaption(AlternativeList which)
{
    switch (which) {
    case AlternativeList::Descriptions:
        return "Edit Description...";
    case AlternativeList::Keywords:
        return "Edit Keywords...";
    case AlternativeList::Titles:
        break;
    }
    return "Edit Title...";
}

bool ProfileWizardModel::replaceRow(AlternativeList which, int row, const std::string& text)
{
    std::vector<std::string>& rows = list(which);
    if (!validRow(rows, row))
        return false;
    rows[static_cast<std::size_t>(row)] = text;
    return true;
}

int ProfileWizardModel::removeRow(AlternativeList which, int row)
{
    std::vector<std::string>& rows = list(which);
    if (!validRow(rows, row))
        return -1;
    rows.erase(rows.begin() + row);
    return std::min(row, static_cast<int>(rows.size()) - 1);
}

bool ProfileWizardModel::addSerpPhrase(const std::string& phrase)
{
    if (phrase.empty())
        return false;
    const auto listed = [&](const std::string& entry) { return equalsIgnoringCase(entry, phrase); };
    if (std::ranges::any_of(m_fields.serpPhrases, listed))
        return false;
    m_fields.serpPhrases.push_back(phrase);
    return true;
}

int ProfileWizardModel::removeSerpPhrase(int row)
{
    std::vector<std::string>& phrases = m_fields.serpPhrases;
    if (!validRow(phrases, row))
        return -1;
    phrases.erase(phrases.begin() + row);
    if (phrases.empty())
        return -1;
    return std::max(row - 1, 0);
}

SiteProfile ProfileWizardModel::profile() const
{
    SiteProfile profile = m_fields;
    if (profile.subcategories.empty())
        profile.subcategories = profile.categories;
    return profile;
}

} // namespace SendingProfile
