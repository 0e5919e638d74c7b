#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A request as a loopback server saw it.
struct SeenRequest {
    std::string method;
    std::string target; // path and query exactly as sent
    std::string body;
    std::string contentType;
    std::string userAgent;
};

// A cpp-httplib server on 127.0.0.1 at a port the system picks, serving on its own
// thread and recording every request its handlers see. Add handlers, then start().
class LoopbackServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Starts serving; returns once the server accepts connections.
    void start();
    // Closes every connection after its answer. A browser keeps connections open,
    // and the server would wait for them to time out when it stops.
    void closeConnectionsAfterEachAnswer() { m_server.set_keep_alive_max_count(1); }

    // "127.0.0.1:port", as the host of a request target.
    std::string host() const;
    // "http://127.0.0.1:port" + path.
    std::string url(const std::string& path) const;

    std::vector<SeenRequest> requests() const;

    // Answers GET and POST of a path (a pattern) with the handler.
    void handle(const std::string& path, Handler handler);
    // Answers GET and POST of a path with a status and a body; calling it again
    // for the same path changes the answer, also while the server runs.
    void serve(const std::string& path, int status, const std::string& body,
        const std::string& contentType = "text/plain");

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<SeenRequest> m_requests;
    struct Answer {
        int status;
        std::string body;
        std::string contentType;
    };
    std::map<std::string, Answer> m_answers;
};

// A port on 127.0.0.1 where nothing listens: connections are refused.
int refusedPort();

// An answer that sends its body a byte at a time with a pause before each:
// slow in all, yet too lively for a receive time-out.
LoopbackServer::Handler trickle(std::string body, std::chrono::milliseconds pause, std::string contentType);

// A socket on 127.0.0.1 that takes connections (the system completes them) but
// never reads or answers: requests to it wait for their time-out.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string host() const;

private:
    int m_fd = -1;
    int m_port = 0;
};
