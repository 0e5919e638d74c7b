#include "PhpScriptServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr uid_t kNobody = 65534;

sockaddr_in loopback(int port)
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port that is free now: bind to port 0 and read what the system chose.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(port);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

void handOver(const std::filesystem::path& path)
{
    if (::chown(path.c_str(), kNobody, kNobody) != 0)
        throw std::runtime_error("cannot hand " + path.string() + " to nobody");
}

} // namespace

PhpScriptServer::PhpScriptServer(
    const std::filesystem::path& source, const std::vector<std::string>& environment)
    : m_site(m_temp.path("site"))
    , m_port(freePort())
{
    std::filesystem::copy(source, m_site, std::filesystem::copy_options::recursive);
    const bool root = ::geteuid() == 0;
    if (root) {
        std::filesystem::permissions(m_temp.path(),
            std::filesystem::perms::owner_all | std::filesystem::perms::group_exec
                | std::filesystem::perms::others_exec);
        handOver(m_site);
        for (const auto& entry : std::filesystem::directory_iterator(m_site))
            handOver(entry.path());
    }

    std::vector<std::string> words;
    if (root)
        words = { "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups" };
    for (const std::string& word : { std::string("php"), std::string("-S"),
             "127.0.0.1:" + std::to_string(m_port), std::string("-t"), m_site.string() })
        words.push_back(word);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<std::string> variables = environment;
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    for (char** inherited = environ; *inherited; ++inherited)
        envp.push_back(*inherited);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = ::posix_spawnp(&m_server, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start php (install php-cli)");

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!accepts(m_port)) {
        int status = 0;
        if (::waitpid(m_server, &status, WNOHANG) == m_server
            || std::chrono::steady_clock::now() > deadline) {
            m_server = -1;
            throw std::runtime_error("php -S did not start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

PhpScriptServer::~PhpScriptServer()
{
    if (m_server > 0) {
        ::kill(m_server, SIGTERM);
        ::waitpid(m_server, nullptr, 0);
    }
}

std::string PhpScriptServer::url(const std::string& name) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + name;
}
