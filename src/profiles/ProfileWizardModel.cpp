#include "profiles/ProfileWizardModel.h"

#include "common/IMessageBox.h"
#include "common/TextCase.h"
#include "common/Utf8Text.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <system_error>
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
constexpr const char* kTaglineTooLong = "The tagline may be at most 120 characters long.";
constexpr const char* kFoundedNotAYear =
    "Please enter the year the site or company was founded, such as 2015.";
constexpr const char* kFileMissing = "This file does not exist: ";
constexpr const char* kFileTooLarge = "Directories take files of at most 10 MB; this one is larger: ";

bool isYear(const std::string& text)
{
    return text.size() == 4
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })
        && text.front() != '0';
}

// The message for a file the profile names that cannot be sent; empty when it can.
std::string fileProblem(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return kFileMissing + path;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxProfileFileBytes)
        return kFileTooLarge + path;
    return {};
}

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

WizardFocus ProfileWizardModel::checkProductPage()
{
    std::string problem;
    WizardFocus focus = WizardFocus::None;
    if (utf8Longer(m_fields.tagline, kMaxTaglineLength)) {
        problem = kTaglineTooLong;
        focus = WizardFocus::Tagline;
    } else if (!m_fields.founded.empty() && !isYear(m_fields.founded)) {
        problem = kFoundedNotAYear;
        focus = WizardFocus::Founded;
    } else if (!m_fields.logo.empty() && !(problem = fileProblem(m_fields.logo)).empty()) {
        focus = WizardFocus::Logo;
    } else {
        for (const std::string& screenshot : m_fields.screenshots) {
            if (!(problem = fileProblem(screenshot)).empty()) {
                focus = WizardFocus::Screenshots;
                break;
            }
        }
    }
    if (focus != WizardFocus::None)
        m_messages->show(problem, kVanteloCaption, MessageIcon::Warning);
    return focus;
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
