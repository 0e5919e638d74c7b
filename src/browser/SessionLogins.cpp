#include "browser/SessionLogins.h"

void SessionLogins::remember(const std::string& server, const std::string& realm, Login login)
{
    m_logins[{ server, realm }] = std::move(login);
}

std::optional<Login> SessionLogins::find(const std::string& server, const std::string& realm) const
{
    const auto found = m_logins.find({ server, realm });
    if (found == m_logins.end())
        return std::nullopt;
    return found->second;
}

void SessionLogins::forget(const std::string& server, const std::string& realm)
{
    m_logins.erase({ server, realm });
}
