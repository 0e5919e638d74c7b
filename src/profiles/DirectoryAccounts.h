#pragma once

#include "common/ISecretStore.h"

#include <optional>
#include <string>
#include <vector>

namespace SendingProfile {

struct SiteProfile;

// A profile's account at one directory: the user name it signed up with and the
// password of the directory's own, or the profile's one password where the user
// chose that for the directory.
struct DirectoryAccount {
    std::string directory;
    std::string userName;
    std::string password; // empty while the account uses the profile's password

    bool usesProfilePassword() const { return password.empty(); }
    bool operator==(const DirectoryAccount&) const = default;
};

// What a listing of accounts found, or why it could not look.
struct AccountList {
    std::vector<DirectoryAccount> accounts; // by directory name
    std::optional<std::string> error;
};

// The accounts of the profiles at directories, kept in the secret store: one item
// per profile and directory, its user name beside the secret.
class DirectoryAccounts {
public:
    explicit DirectoryAccounts(ISecretStore& secrets);

    AccountList list(const std::string& profile) const;
    std::optional<DirectoryAccount> find(const std::string& profile, const std::string& directory) const;
    // Stores the account, replacing the profile's account at its directory; the error text when it was not
    // stored.
    std::optional<std::string> save(const std::string& profile, const DirectoryAccount& account);
    std::optional<std::string> remove(const std::string& profile, const std::string& directory);

    // The password that signs in with an account: its own, else the profile's.
    static const std::string& passwordOf(const DirectoryAccount& account, const SiteProfile& profile);

    ISecretStore& secrets() const { return m_secrets; }

private:
    ISecretStore& m_secrets;
};

} // namespace SendingProfile
