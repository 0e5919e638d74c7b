// Servers that misbehave at the socket level: every request form gives up in
// bounded time and memory and reports failure, or keeps at most the body cap.

#include "net/HttpClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A bare TCP server on 127.0.0.1 that hands each connection to a behaviour.
class RawServer {
public:
    using Behaviour = std::function<void(int connection, const std::atomic<bool>& stopping)>;

    explicit RawServer(Behaviour behaviour)
        : m_behaviour(std::move(behaviour))
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 8);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }

    ~RawServer()
    {
        m_stopping = true;
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }

    HttpTarget target() const { return HttpTarget("127.0.0.1:" + std::to_string(m_port), "/page"); }

private:
    void serve()
    {
        while (!m_stopping) {
            const int connection = ::accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                return;
            char request[4096];
            [[maybe_unused]] const ssize_t ignored = ::recv(connection, request, sizeof request, 0);
            m_behaviour(connection, m_stopping);
            ::close(connection);
        }
    }

    Behaviour m_behaviour;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping { false };
    std::thread m_thread;
};

void sendText(int connection, std::string_view text)
{
    ::send(connection, text.data(), text.size(), MSG_NOSIGNAL);
}

// Short time-outs for the process while a test runs.
class HttpFaultThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = currentHttpTimeouts();
        setHttpTimeouts({ 1s, 1s });
    }
    void TearDown() override { setHttpTimeouts(m_saved); }

    // Runs every text form against the server; each must fail, quickly.
    void expectEveryFormFails(const RawServer& server)
    {
        const auto started = std::chrono::steady_clock::now();
        std::string body;
        EXPECT_FALSE(HttpGetPage(server.target(), body));
        EXPECT_FALSE(HttpGetChecked(server.target(), body));
        EXPECT_FALSE(HttpGetTimed(server.target(), body));
        EXPECT_FALSE(HttpPostForm(server.target(), "a=1", body, false));
        EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
    }

    HttpTimeouts m_saved {};
};

TEST_F(HttpFaultThreaded, StalledServerIsLeftAfterTheTimeout)
{
    RawServer server([](int, const std::atomic<bool>& stopping) {
        const auto until = std::chrono::steady_clock::now() + 5s;
        while (!stopping && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(10ms);
    });
    const auto started = std::chrono::steady_clock::now();
    std::string body;
    EXPECT_FALSE(HttpGetChecked(server.target(), body));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
}

TEST_F(HttpFaultThreaded, ResetAndGarbageAnswersFail)
{
    RawServer reset([](int connection, const std::atomic<bool>&) {
        const linger abort { 1, 0 };
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    });
    expectEveryFormFails(reset);

    RawServer garbage([](int connection, const std::atomic<bool>&) {
        static constexpr char answer[] = "\x00\xff\xfe garbage \x01\x02\r\nno: status line\r\n\r\nbody";
        sendText(connection, std::string(answer, sizeof answer - 1));
    });
    expectEveryFormFails(garbage);
}

TEST_F(HttpFaultThreaded, EndlessHeadersFail)
{
    RawServer server([](int connection, const std::atomic<bool>& stopping) {
        sendText(connection, "HTTP/1.1 200 OK\r\n");
        const std::string header = "X-Filler: " + std::string(1000, 'h') + "\r\n";
        while (!stopping && ::send(connection, header.data(), header.size(), MSG_NOSIGNAL) > 0) { }
    });
    expectEveryFormFails(server);
}

TEST_F(HttpFaultThreaded, EndlessBodyStopsAtTheCap)
{
    RawServer server([](int connection, const std::atomic<bool>& stopping) {
        sendText(connection, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        const std::string chunk(65536, 'x');
        while (!stopping && ::send(connection, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0) { }
    });
    std::string body;
    EXPECT_TRUE(HttpGetPage(server.target(), body));
    EXPECT_EQ(body.size(), kMaxHttpBodyBytes);
}

} // namespace
