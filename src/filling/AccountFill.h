#pragma once

class FieldRecognizer;
class FormDocumentModel;
class IRandomSource;
struct TabFillState;

namespace SendingProfile {
class DirectoryAccounts;
struct SiteProfile;
} // namespace SendingProfile

// Fills the forms of a directory's own site that ask for a password. A sign-in
// form gets the user name and password of the profile's account at the
// directory. Any other form that asks for one registers: it gets the account's
// password, or, at a directory without an account, a new password, which the tab
// keeps until the form is submitted. Only fields that nothing has written and a
// person plainly sees get a password; the caller decides whether the page may
// have one at all.
class AccountFill {
public:
    AccountFill(const FieldRecognizer& recognizer, const SendingProfile::DirectoryAccounts& accounts,
        IRandomSource& random);

    // The number of fields written; what happened is noted in the tab.
    int fill(FormDocumentModel& page, const SendingProfile::SiteProfile& profile, TabFillState& tab) const;

private:
    const FieldRecognizer& m_recognizer;
    const SendingProfile::DirectoryAccounts& m_accounts;
    IRandomSource& m_random;
};
