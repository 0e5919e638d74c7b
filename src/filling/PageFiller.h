#pragma once

#include "directories/DirectoryItem.h"
#include "filling/PlaceholderExpander.h"
#include "filling/SubmissionCheck.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DirectoryStore;
class FieldRecognizer;
class FormDocumentModel;
class IClipboard;
class IClock;
class IFormDocument;
class IMessageBox;
class IRandomSource;
struct PageAnswer;
struct TabFillState;

namespace SendingProfile {
class DirectoryAccounts;
class ProfileStore;
struct SiteProfile;
} // namespace SendingProfile

// The name of the pseudo-directory whose form items apply to every directory.
inline constexpr const char* kGeneralDirectory = "__general";
// The colour of a row whose directory was just sent to: RGB(26, 119, 9) as 0x00BBGGRR.
inline constexpr std::uint32_t kSentRowColor = 0x0009771Au;

// Writes the active profile into the page of a browser tab according to the
// form description of the tab's directory (its own items, then those of
// "__general"), chooses the category, places the reciprocal URL and judges
// the answer to a submitted form. Works on any form document; the state of each tab is
// kept by the caller.
class PageFiller {
public:
    PageFiller(const DirectoryStore& directories, const SendingProfile::ProfileStore& profiles,
        IRandomSource& random, const IClock& clock, IMessageBox& messages, IClipboard& clipboard);

    // The profile's accounts at the directories, which sign-in forms are filled
    // from and new accounts are kept in, and the source of new passwords; without
    // them "#password#" is the profile's password and no sign-up or sign-in form
    // gets one.
    void setAccounts(SendingProfile::DirectoryAccounts* accounts, IRandomSource* passwordRandom);

    // Fills the text fields and check boxes; draws the tab's picks anew and reads
    // the directory's reciprocal link code when the page shows one. A password
    // ("#password#": the directory account's own, else the profile's) goes only
    // into a field a person plainly sees, on the directory's own site.
    void fillPage(
        IFormDocument& document, const SendingProfile::SiteProfile& profile, TabFillState& tab) const;
    // Fills the fields that the recogniser understood and whose names neither the
    // directory's items nor those of "__general" use, when they are still empty
    // or hold only what the page gave them; runs after the other fills. File
    // inputs get the profile's files only `onOwnSite`: a page of the directory's
    // own site (see fillsAutomatically). The sign-up and sign-in forms of the
    // directory's own site get their passwords here (see AccountFill). The number
    // of fields written.
    int fillRecognised(FormDocumentModel& page, const FieldRecognizer& recognizer,
        const SendingProfile::SiteProfile& profile, TabFillState& tab, bool onOwnSite = false) const;
    // Fills what a page's scripts added (or showed) since the page was filled,
    // as a fill of a fresh page would, but writing only fields that no earlier
    // fill saw and no person edited; the picks and the category choice of the
    // earlier fill stand. Recognition takes part when a recogniser is given. No
    // password goes into a field that came late: the user asks for that with a
    // fill of the whole page. The number of fields written.
    int fillLateFields(FormDocumentModel& page, const FieldRecognizer* recognizer,
        const SendingProfile::SiteProfile& profile, TabFillState& tab, bool onOwnSite = false) const;
    // Whether the tab's page may be filled without the user asking: only pages
    // of the directory's own site (the scheme, host and port of its submission
    // address; see sameSite) are, so that no other site receives the profile's
    // data by itself.
    bool fillsAutomatically(const TabFillState& tab, std::string_view pageUrl) const;
    // Chooses the next option of the category drop-downs that matches the
    // profile's preferred categories; each run moves on to the next match.
    void fillCategory(
        IFormDocument& document, const SendingProfile::SiteProfile& profile, TabFillState& tab) const;
    // Reads the directory's link code from the page again, as the fill found it
    // but with the field's current text: the page's own scripts may have changed
    // it since. Whether the page still shows one.
    bool readReciprocalCode(const IFormDocument& document, TabFillState& tab) const;
    // Writes the URL of the page with the reciprocal link into every field meant
    // for it; when there is none, puts the URL on the clipboard and says so.
    // The number of fields written.
    int fillReciprocalUrl(IFormDocument& document, const TabFillState& tab, const std::string& url) const;
    // Judges the answer to the tab's submitted form. A directory with a
    // confirmation text is sent to when the answer shows that text (exactly, in
    // the page's source; in a message, in its texts), and only then. Any other
    // directory is judged by the submission judge: by what the answer says and
    // whether it shows the form again with the values kept. What to record
    // comes with a success only.
    SubmissionCheck checkSubmission(
        const PageAnswer& answer, const SendingProfile::SiteProfile& profile, const TabFillState& tab) const;
    // The check of a page that followed a submitted form, from its source alone.
    std::optional<SubmissionOutcome> checkSubmissionResult(const IFormDocument& document,
        const SendingProfile::SiteProfile& profile, const TabFillState& tab) const;

    // Everything a tab does when its top-level document has loaded: the
    // submission check (when a form was submitted), then both fills.
    std::optional<SubmissionOutcome> handleCompletedLoad(IFormDocument& document,
        const SendingProfile::SiteProfile& profile, TabFillState& tab, bool submitted) const;

    // The directory's items followed by those of "__general".
    std::vector<DirectoryItem> itemList(const std::string& directory) const;

    // Keeps the account whose new password the tab's sign-up form got, now that
    // a form of the page was submitted; a store that refuses it is reported with
    // the password, so that the user can keep it.
    void keepNewAccount(const SendingProfile::SiteProfile& profile, TabFillState& tab) const;

private:
    void fillItems(IFormDocument& document, const SendingProfile::SiteProfile& profile, TabFillState& tab,
        bool passwords) const;
    int fillRecognisedFields(FormDocumentModel& page, const FieldRecognizer& recognizer,
        const SendingProfile::SiteProfile& profile, TabFillState& tab, bool onOwnSite, bool passwords) const;
    // Whether the page is one a password may go into at all: the directory's own site.
    bool takesPasswords(const IFormDocument& document, const TabFillState& tab) const;
    // The password "#password#" stands for at the tab's directory.
    std::string directoryPassword(const SendingProfile::SiteProfile& profile, const TabFillState& tab) const;

    const DirectoryStore& m_directories;
    const SendingProfile::ProfileStore& m_profiles;
    IRandomSource& m_random;
    PlaceholderExpander m_expander;
    const IClock& m_clock;
    IMessageBox& m_messages;
    IClipboard& m_clipboard;
    SendingProfile::DirectoryAccounts* m_accounts = nullptr;
    IRandomSource* m_passwordRandom = nullptr;
};

// The text of a directory list row once the directory was sent to: cut at its
// first " [" and followed by " [sent]".
std::string sentRowText(std::string_view rowText);
