#include "profiles/ProfileSecrets.h"

#include "common/ISecretStore.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/StringValue.h"

namespace SendingProfile {

namespace {

constexpr const char* kAccount = "account";
constexpr const char* kDirectory = "directory";
constexpr const char* kUserName = "username";
constexpr const char* kPassword = "password";

struct SecretElement {
    const char* element;
    SecretKind kind;
};

constexpr SecretElement kSecretElements[] = {
    { "password", SecretKind::ProfilePassword },
    { "reciprocalpassword", SecretKind::ReciprocalPassword },
};

// An empty value leaves the element without text, as the store writes an empty field.
void setText(pugi::xml_node element, const std::string& value)
{
    if (value.empty())
        element.remove_children();
    else
        element.text().set(value.c_str());
}

} // namespace

std::vector<std::string> moveProfileSecrets(pugi::xml_node profile, ISecretStore& secrets)
{
    std::vector<std::string> errors;
    const std::string name = stringValue(profile.child("name"));
    for (const SecretElement& secret : kSecretElements) {
        const pugi::xml_node element = profile.child(secret.element);
        const std::string value = stringValue(element);
        if (value.empty())
            continue;
        if (std::optional<std::string> error = secrets.store({ { secret.kind, name, {} }, {}, value }))
            errors.push_back(*error);
        else
            setText(element, {});
    }
    DirectoryAccounts accounts(secrets);
    for (pugi::xml_node account = profile.child(kAccount); account;) {
        const pugi::xml_node next = account.next_sibling(kAccount);
        const DirectoryAccount read { account.attribute(kDirectory).value(),
            stringValue(account.child(kUserName)), stringValue(account.child(kPassword)) };
        if (std::optional<std::string> error = accounts.save(name, read))
            errors.push_back(*error);
        else
            profile.remove_child(account);
        account = next;
    }
    return errors;
}

void setExportedSecrets(pugi::xml_node profile, ISecretStore* secrets, bool includePasswords)
{
    while (profile.remove_child(kAccount)) { }
    const std::string name = stringValue(profile.child("name"));
    const bool include = includePasswords && secrets;
    for (const SecretElement& secret : kSecretElements) {
        pugi::xml_node element = profile.child(secret.element);
        // A secret the store could not take is still in the element: it is kept only if asked for.
        if (!element || (include && !stringValue(element).empty()))
            continue;
        setText(element, include ? secretOf(*secrets, { secret.kind, name, {} }) : std::string());
    }
    if (!include)
        return;
    for (const DirectoryAccount& stored : DirectoryAccounts(*secrets).list(name).accounts) {
        pugi::xml_node account = profile.append_child(kAccount);
        account.append_attribute(kDirectory) = stored.directory.c_str();
        setText(account.append_child(kUserName), stored.userName);
        setText(account.append_child(kPassword), stored.password);
    }
}

bool holdsProfileSecrets(const pugi::xml_node& profile)
{
    for (const SecretElement& secret : kSecretElements)
        if (!stringValue(profile.child(secret.element)).empty())
            return true;
    return bool(profile.child(kAccount));
}

} // namespace SendingProfile
