#pragma once

#include "support/TempFolder.h"

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// PHP's built-in web server on 127.0.0.1, serving a copy of a folder from a
// temporary folder. As root it runs as the unprivileged user "nobody", so that
// file permissions are enforced as on a real web host.
class PhpScriptServer {
public:
    // The environment adds "NAME=value" entries to the server's own.
    explicit PhpScriptServer(
        const std::filesystem::path& source, const std::vector<std::string>& environment = {});
    ~PhpScriptServer();
    PhpScriptServer(const PhpScriptServer&) = delete;
    PhpScriptServer& operator=(const PhpScriptServer&) = delete;

    // "http://127.0.0.1:port/" + name.
    std::string url(const std::string& name) const;
    // The served copy of the folder.
    const std::filesystem::path& folder() const { return m_site; }

private:
    TempFolder m_temp;
    std::filesystem::path m_site;
    int m_port = 0;
    pid_t m_server = -1;
};
