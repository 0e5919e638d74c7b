#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr const char* kLoopback = "127.0.0.1";

// Requests to the loopback servers must never go through a proxy that the
// environment may name; set before any test starts a thread.
class NoProxyForLoopback : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
        ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    }
};
[[maybe_unused]] ::testing::Environment* const kNoProxy =
    ::testing::AddGlobalTestEnvironment(new NoProxyForLoopback);

// A TCP socket bound to a free loopback port; its port through `port`.
int boundSocket(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    ::inet_pton(AF_INET, kLoopback, &address.sin_addr);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LoopbackServer::LoopbackServer() = default;

LoopbackServer::~LoopbackServer()
{
    m_server.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void LoopbackServer::start()
{
    m_port = m_server.bind_to_any_port(kLoopback);
    ASSERT_GT(m_port, 0);
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string LoopbackServer::host() const
{
    return std::string(kLoopback) + ":" + std::to_string(m_port);
}

std::string LoopbackServer::url(const std::string& path) const
{
    return "http://" + host() + path;
}

std::vector<SeenRequest> LoopbackServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void LoopbackServer::handle(const std::string& path, Handler handler)
{
    auto recorded = [this, handler = std::move(handler)](
                        const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back({ request.method, request.target, request.body,
                request.get_header_value("Content-Type"), request.get_header_value("User-Agent") });
        }
        handler(request, response);
    };
    m_server.Get(path, recorded);
    m_server.Post(path, recorded);
}

void LoopbackServer::serve(
    const std::string& path, int status, const std::string& body, const std::string& contentType)
{
    std::lock_guard lock(m_mutex);
    const bool known = m_answers.contains(path);
    m_answers[path] = Answer { status, body, contentType };
    if (known)
        return;
    handle(path, [this, path](const httplib::Request&, httplib::Response& response) {
        std::lock_guard answerLock(m_mutex);
        const Answer& answer = m_answers.at(path);
        response.status = answer.status;
        response.set_content(answer.body, answer.contentType.c_str());
    });
}

LoopbackServer::Handler trickle(std::string body, std::chrono::milliseconds pause, std::string contentType)
{
    return [body, pause, contentType](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(body.size(), contentType,
            [body, pause](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(pause);
                return sink.write(body.data() + offset, 1);
            });
    };
}

int refusedPort()
{
    int port = 0;
    ::close(boundSocket(port));
    return port;
}

SilentServer::SilentServer()
{
    m_fd = boundSocket(m_port);
    ::listen(m_fd, 16);
}

SilentServer::~SilentServer()
{
    ::close(m_fd);
}

std::string SilentServer::host() const
{
    return std::string(kLoopback) + ":" + std::to_string(m_port);
}
