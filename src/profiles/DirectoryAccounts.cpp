#include "profiles/DirectoryAccounts.h"

#include "profiles/SiteProfile.h"

#include <algorithm>

namespace SendingProfile {

namespace {

DirectoryAccount accountOf(const StoredSecret& item)
{
    return { item.key.directory, item.userName, item.secret };
}

} // namespace

DirectoryAccounts::DirectoryAccounts(ISecretStore& secrets)
    : m_secrets(secrets)
{
}

AccountList DirectoryAccounts::list(const std::string& profile) const
{
    const SecretSearch found = m_secrets.search({ SecretKind::DirectoryAccount, profile, std::nullopt });
    AccountList list;
    list.error = found.error;
    for (const StoredSecret& item : found.items)
        list.accounts.push_back(accountOf(item));
    std::ranges::sort(list.accounts, {}, &DirectoryAccount::directory);
    return list;
}

std::optional<DirectoryAccount> DirectoryAccounts::find(
    const std::string& profile, const std::string& directory) const
{
    const std::optional<StoredSecret> item =
        findSecret(m_secrets, { SecretKind::DirectoryAccount, profile, directory });
    return item ? std::optional(accountOf(*item)) : std::nullopt;
}

std::optional<std::string> DirectoryAccounts::save(
    const std::string& profile, const DirectoryAccount& account)
{
    return m_secrets.store(
        { { SecretKind::DirectoryAccount, profile, account.directory }, account.userName, account.password });
}

std::optional<std::string> DirectoryAccounts::remove(const std::string& profile, const std::string& directory)
{
    return m_secrets.remove({ SecretKind::DirectoryAccount, profile, directory });
}

const std::string& DirectoryAccounts::passwordOf(const DirectoryAccount& account, const SiteProfile& profile)
{
    return account.usesProfilePassword() ? profile.password : account.password;
}

} // namespace SendingProfile
