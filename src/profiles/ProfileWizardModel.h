#pragma once

#include "profiles/SiteProfile.h"

#include <string>
#include <vector>

class IMessageBox;

namespace SendingProfile {

// The three lists of alternatives on the wizard's site page.
enum class AlternativeList {
    Titles, // alternative link titles
    Descriptions, // alternative site descriptions
    Keywords, // alternative keyword lines
};

// Where a page check that failed puts the focus.
enum class WizardFocus {
    None, // the check passed
    Name, // the profile name field
    Url, // the site address field
    AddTitle, // the "add" button of the titles
    AddDescription, // the "add" button of the descriptions
    AddKeywords, // the "add" button of the keyword lines
    Tagline, // the tagline field
    Founded, // the founding year field
    Logo, // the logo file field
    Screenshots, // the list of screenshot files
};

// What the profile wizard edits and the rules of its pages: the checks that keep a
// page open, the edits of its lists, and the search phrases a new profile takes
// from its titles. The wizard's pages only show it and hand it their fields.
class ProfileWizardModel {
public:
    // A new profile, whose name must differ from the names given.
    static ProfileWizardModel newProfile(IMessageBox& messages, std::vector<std::string> existingNames);
    // An existing profile, edited under its own name.
    static ProfileWizardModel existingProfile(IMessageBox& messages, const SiteProfile& profile);

    // The pages' fields, kept in the profile they become.
    SiteProfile& fields() { return m_fields; }
    const SiteProfile& fields() const { return m_fields; }
    bool editMode() const { return m_editMode; }
    // Whether leaving the site page still copies the titles into the phrases.
    bool seedsSerpPhrases() const { return m_seedSerpPhrases; }
    // The name page is skipped once the profile has a name, as when editing.
    bool skipsNamePage() const { return !m_fields.name.empty(); }

    // The page checks: each shows its message when it fails and says where the
    // focus goes, or WizardFocus::None to go on.
    WizardFocus checkNamePage();
    WizardFocus checkSitePage();
    // Asks before going on without a name and an e-mail address; true to go on.
    bool checkContactPage();
    // The product page: a tagline of at most kMaxTaglineLength characters, a
    // founding year of four digits, files that exist and that a page may receive.
    WizardFocus checkProductPage();

    // The site page was left forward: the first time, a new profile's titles are
    // appended to its search phrases.
    void leaveSitePage();

    std::vector<std::string>& list(AlternativeList which);
    // The text editor's captions for adding to and editing a list.
    static const char* addCaption(AlternativeList which);
    static const char* editCaption(AlternativeList which);
    // False when the row does not exist.
    bool replaceRow(AlternativeList which, int row, const std::string& text);
    // Removes a row; the row selected afterwards (the one that took its place, else
    // the new last one), -1 when the list is empty or the row did not exist.
    int removeRow(AlternativeList which, int row);

    // Appends a phrase unless it is empty or listed already in any letter case.
    bool addSerpPhrase(const std::string& phrase);
    // Removes a phrase; the row selected afterwards (the one before it, else the
    // first), -1 when the list is empty or the row did not exist.
    int removeSerpPhrase(int row);

    // The profile to store: an empty subcategory list becomes the categories.
    SiteProfile profile() const;

private:
    ProfileWizardModel(
        IMessageBox& messages, SiteProfile fields, std::vector<std::string> existingNames, bool editMode);

    IMessageBox* m_messages;
    SiteProfile m_fields;
    std::vector<std::string> m_existingNames;
    bool m_editMode;
    bool m_seedSerpPhrases;
};

} // namespace SendingProfile
