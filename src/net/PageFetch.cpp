#include "net/PageFetch.h"

#include "common/TextCase.h"
#include "net/PageCharset.h"
#include "net/PrivateAddress.h"
#include "net/WebAddress.h"

#include <condition_variable>
#include <map>
#include <mutex>

namespace {

using namespace std::chrono_literals;

// The hosts that have a request under way from this process.
class HostGate {
public:
    // Waits until no other request goes to the host; false when cancelled first.
    bool enter(const std::string& host, const std::atomic<bool>* cancel)
    {
        std::unique_lock lock(m_mutex);
        while (m_busy.count(host)) {
            if (cancel && cancel->load())
                return false;
            // A cancelling caller sets no condition, so waiting is in short steps.
            m_freed.wait_for(lock, 50ms);
        }
        m_busy[host] = true;
        return true;
    }

    void leave(const std::string& host)
    {
        {
            std::lock_guard lock(m_mutex);
            m_busy.erase(host);
        }
        m_freed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_freed;
    std::map<std::string, bool> m_busy;
};

HostGate& hostGate()
{
    static HostGate gate;
    return gate;
}

// Holds a host's turn for as long as it lives.
class HostTurn {
public:
    HostTurn(HostGate& gate, std::string host)
        : m_gate(gate)
        , m_host(std::move(host))
    {
    }
    ~HostTurn() { m_gate.leave(m_host); }
    HostTurn(const HostTurn&) = delete;
    HostTurn& operator=(const HostTurn&) = delete;

private:
    HostGate& m_gate;
    std::string m_host;
};

std::string seconds(std::chrono::milliseconds duration)
{
    return std::to_string((duration.count() + 999) / 1000);
}

std::string failureText(const HttpExchange& exchange, const PageFetchLimits& limits)
{
    switch (exchange.failure) {
    case HttpFailure::Cancelled:
        return "cancelled";
    case HttpFailure::TimedOut:
        return "no complete answer within the time allowed (" + seconds(limits.total) + " seconds in all)";
    case HttpFailure::TooManyRedirects:
        return "more than 10 redirects";
    case HttpFailure::RedirectRefused:
        return limits.privateRedirects ? "redirected to an address that is neither http nor https"
                                       : "redirected to an address that is neither http nor https, or "
                                         "into this computer or its local network";
    case HttpFailure::TooLarge:
        return "the page is larger than " + std::to_string(limits.maxBytes >> 10) + " KiB";
    case HttpFailure::NoConnection:
        return "the server could not be reached";
    case HttpFailure::None:
    case HttpFailure::Other:
        break;
    }
    if (!exchange.answered())
        return "the server gave no answer";
    if (exchange.status >= 400)
        return "the server answered with status " + std::to_string(exchange.status);
    return "the answer broke off";
}

} // namespace

FetchedPage fetchPage(const std::string& url, const PageFetchLimits& limits, const std::atomic<bool>* cancel)
{
    FetchedPage page;
    page.url = url;
    const std::optional<WebAddress> address = parseWebAddress(url);
    if (!address) {
        page.failure = "not an http or https address";
        return page;
    }
    page.url = address->url;
    HostGate& gate = hostGate();
    const std::string host = address->authority();
    if (!gate.enter(host, cancel)) {
        page.failure = "cancelled";
        return page;
    }
    HttpExchange exchange;
    {
        const HostTurn turn(gate, host);
        HttpRequest request(splitRequestUrl(address->url));
        request.maxBodyBytes = limits.maxBytes;
        request.timeouts = limits.timeouts;
        request.totalTimeout = limits.total;
        request.cancel = cancel;
        if (!limits.privateRedirects) {
            request.redirectAllowed = [](const std::string& target) {
                const std::optional<WebAddress> next = parseWebAddress(target);
                return next && !isPrivateNetworkHost(next->host);
            };
        }
        exchange = performHttpRequest(request, HttpOutput { &page.body, std::nullopt });
    }

    page.status = exchange.status;
    if (!exchange.finalUrl.empty())
        page.url = exchange.finalUrl;
    page.contentType = exchange.contentType;
    page.ok = exchange.complete && exchange.status < 400;
    if (!page.ok) {
        page.failure = failureText(exchange, limits);
        page.body.clear();
    } else if (isHtmlAnswer(page.contentType, page.body)) {
        page.body = pageTextAsUtf8(page.contentType, std::move(page.body));
    }
    return page;
}

bool isHtmlAnswer(const std::string& contentType, const std::string& body)
{
    const std::string type = lowerAscii(contentType.substr(0, contentType.find(';')));
    const std::size_t end = type.find_last_not_of(" \t");
    const std::string bare = end == std::string::npos ? std::string() : type.substr(0, end + 1);
    if (!bare.empty())
        return bare == "text/html" || bare == "application/xhtml+xml";
    // Without a type, a body that opens with markup is taken for a page.
    std::size_t first = 0;
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0)
        first = 3;
    first = body.find_first_not_of(" \t\r\n", first);
    return first != std::string::npos && body[first] == '<';
}
