#include "filling/AccountFill.h"

#include "autofill/FieldRecognizer.h"
#include "common/TextCase.h"
#include "filling/FormDocumentModel.h"
#include "filling/NewPassword.h"
#include "filling/PageFormsOfModel.h"
#include "filling/TabFillState.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/SiteProfile.h"

#include <map>
#include <optional>
#include <set>

using SendingProfile::DirectoryAccount;
using SendingProfile::DirectoryAccounts;
using SendingProfile::SiteProfile;

namespace {

// The password fields of one form (or of the fields outside any form) and what the form is.
struct PasswordForm {
    FormKind kind = FormKind::Submission;
    std::vector<ElementHandle> passwords;
    // The last field a user name is typed into before the first password field.
    std::optional<ElementHandle> userName;
};

bool isPasswordField(const FormElement& element)
{
    return element.tag == "input" && lowerAscii(element.type) == "password";
}

bool isUserNameField(const FormElement& element)
{
    const std::string type = lowerAscii(element.type);
    return element.tag == "input" && (type.empty() || type == "text" || type == "email");
}

// Whether a field still holds what the page gave it.
bool untouched(const FormElement& element)
{
    return element.value.empty() || element.value == element.cues.defaultValue;
}

// The forms of the page that ask for a password, by their position and frame.
std::map<std::pair<std::string, int>, PasswordForm> passwordForms(const FormDocumentModel& page,
    const std::vector<ElementHandle>& handles, const PageRecognition& recognition)
{
    std::map<std::pair<std::string, int>, PasswordForm> forms;
    std::map<std::pair<std::string, int>, ElementHandle> lastText;
    for (std::size_t at = 0; at < handles.size(); ++at) {
        const FormElement& element = page.elements()[handles[at]];
        const std::pair<std::string, int> key { element.cues.frame, element.form };
        if (isUserNameField(element) && !element.cues.hidden) {
            lastText[key] = handles[at];
        } else if (isPasswordField(element)) {
            PasswordForm& form = forms[key];
            form.kind = recognition.fields[at].formKind;
            if (form.passwords.empty() && lastText.count(key))
                form.userName = lastText[key];
            form.passwords.push_back(handles[at]);
        }
    }
    return forms;
}

} // namespace

AccountFill::AccountFill(
    const FieldRecognizer& recognizer, const DirectoryAccounts& accounts, IRandomSource& random)
    : m_recognizer(recognizer)
    , m_accounts(accounts)
    , m_random(random)
{
}

int AccountFill::fill(FormDocumentModel& page, const SiteProfile& profile, TabFillState& tab) const
{
    std::vector<ElementHandle> handles;
    const PageRecognition recognition = m_recognizer.recognise(pageFormsOf(page, handles));
    std::set<ElementHandle> written;
    for (const FormWrite& write : page.writes())
        written.insert(write.element);
    const auto open = [&](ElementHandle handle) {
        const FormElement& element = page.elements()[handle];
        return !written.count(handle) && untouched(element) && !element.cues.readOnly
            && !element.cues.disabled;
    };

    const std::optional<DirectoryAccount> account = m_accounts.find(profile.name, tab.directoryName);
    int filled = 0;
    for (const auto& [where, form] : passwordForms(page, handles, recognition)) {
        const bool signIn = form.kind == FormKind::Login;
        if ((signIn && !account) || (!signIn && form.kind != FormKind::Submission))
            continue;
        std::string password;
        if (account) {
            password = DirectoryAccounts::passwordOf(*account, profile);
        } else if (tab.newAccount && tab.newAccount->directory == tab.directoryName) {
            // A fill of the same page again keeps the password it drew.
            password = tab.newAccount->password;
        } else {
            PasswordRules rules;
            for (const ElementHandle handle : form.passwords) {
                const FormElement& element = page.elements()[handle];
                rules.add(element.cues.maxLength, element.minLength, element.pattern);
            }
            password = newPassword(rules, m_random);
        }
        if (password.empty())
            continue;
        int passwords = 0;
        for (const ElementHandle handle : form.passwords) {
            if (!open(handle))
                continue;
            if (page.setPassword(handle, password))
                ++passwords;
            else
                tab.notePasswords(PasswordFill::Withheld);
        }
        if (passwords == 0)
            continue;
        filled += passwords;
        if (signIn && form.userName && open(*form.userName)) {
            page.setValue(*form.userName, account->userName.empty() ? profile.username : account->userName);
            ++filled;
        }
        if (account) {
            tab.notePasswords(PasswordFill::Filled);
        } else {
            tab.newAccount = DirectoryAccount { tab.directoryName, profile.username, password };
            tab.notePasswords(PasswordFill::NewAccount);
        }
        if (where.first.empty() && where.second >= 0)
            tab.formWatched = true;
    }
    return filled;
}
