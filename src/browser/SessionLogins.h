#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

// A user name and password a server asked for.
struct Login {
    std::string userName;
    std::string password;

    bool operator==(const Login&) const = default;
};

// The sign-ins the user chose to remember for this session, by server
// ("https://host:port") and realm. They live in memory only and are gone when
// the program ends.
class SessionLogins {
public:
    void remember(const std::string& server, const std::string& realm, Login login);
    std::optional<Login> find(const std::string& server, const std::string& realm) const;
    void forget(const std::string& server, const std::string& realm);
    void clear() { m_logins.clear(); }

private:
    std::map<std::pair<std::string, std::string>, Login> m_logins;
};
