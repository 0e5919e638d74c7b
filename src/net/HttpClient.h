#pragma once

#include "net/HttpTarget.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The blocking request forms every exchange with a web server goes through. Each
// makes one connection and one request on the calling thread and returns a
// success flag by its own rule; none retries. Requests follow redirects, use the
// proxy the environment names and keep at most kMaxHttpBodyBytes of a body.

// The user agent every request announces.
inline constexpr const char* kHttpUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; .NET CLR 1.1.4322)";
// The most of one response body that is kept; reading stops there.
inline constexpr std::size_t kMaxHttpBodyBytes = std::size_t { 64 } << 20;

// The connect and receive time-outs every request uses: 60 seconds each until
// the first HttpGetTimed of the process, 10 seconds each from then on.
struct HttpTimeouts {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds receive;
};

// Where a response body goes: appended to a text, or written to a file that is
// created (or emptied) before connecting.
struct HttpOutput {
    std::string* text = nullptr;
    std::optional<std::filesystem::path> file;
};

// One request in full: the shape the forms share.
struct HttpRequest {
    explicit HttpRequest(HttpTarget requestTarget = {})
        : target(std::move(requestTarget))
    {
    }

    HttpTarget target;
    std::optional<std::string> formBody; // set: POST it as a form; empty: GET
    bool readOnlyBelow400 = false; // drop the body of a status from 400 on
    // The request carries a secret (a password in its form, a key in a header):
    // a redirect is followed only to https on the same host, the form and the
    // headers going along; any other redirect ends the request unanswered
    // (HttpFailure::RedirectRefused). A request with an Authorization header
    // carries one whatever this says.
    bool carriesSecret = false;
    // Asked before each redirect is followed, with the address it leads to;
    // false ends the request unanswered (HttpFailure::RedirectRefused).
    std::function<bool(const std::string& target)> redirectAllowed;
    // Further header lines ("Name: value"), such as an API key.
    std::vector<std::string> headers;
    // Told the bytes received so far and the whole size (0 while unknown) as
    // the body arrives; returning false ends the request.
    std::function<bool(std::uint64_t received, std::uint64_t total)> progress;
    // Bounds of a request that fetches what strangers serve: the most of the body
    // that is read (the request ends unfinished beyond it), time-outs of its own
    // instead of the process-wide ones, a limit on the whole exchange (0: none),
    // and a flag that ends the request early when another thread sets it.
    std::size_t maxBodyBytes = kMaxHttpBodyBytes;
    std::optional<HttpTimeouts> timeouts;
    std::chrono::milliseconds totalTimeout { 0 };
    const std::atomic<bool>* cancel = nullptr;
};

// Why a request ended without its whole answer.
enum class HttpFailure {
    None, // the answer arrived whole
    Cancelled, // the caller's flag ended it
    TimedOut, // a time-out ran out
    TooManyRedirects, // more redirects than the client follows
    RedirectRefused, // a redirect to an address the request may not go to
    TooLarge, // the body is longer than the request reads
    NoConnection, // the host was not found or refused the connection
    Other, // anything else the transfer ran into
};

// What became of one request.
struct HttpExchange {
    long status = 0; // the final status code; 0 when no answer arrived
    bool complete = false; // the body arrived and was stored whole
    // The headers of the final response, names in lower case (the first of each name).
    std::map<std::string, std::string> headers;
    HttpFailure failure = HttpFailure::None;
    std::string finalUrl; // where the last redirect led
    std::string contentType; // of the last answer, as the server named it
    bool answered() const { return status != 0; }
};

// Runs one request and stores its body as the output says.
HttpExchange performHttpRequest(const HttpRequest& request, const HttpOutput& output);

// Whether a request that carries a secret may be redirected from one address
// to the other: only to https, and only on the same host.
bool secretMayFollow(std::string_view from, std::string_view to);

// GET; success when the server answered, whatever the status. The text is emptied first.
bool HttpGetPage(const HttpTarget& target, std::string& text);
// GET into a text (toFile false) or a file (toFile true); success when the server
// answered, whatever the status. A file that cannot be created fails at once.
bool HttpGetToFile(const HttpTarget& target, std::string& textOrFile, bool toFile);
// POST of a form body ("application/x-www-form-urlencoded"), output as HttpGetToFile.
bool HttpPostForm(const HttpTarget& target, const std::string& body, std::string& textOrFile, bool toFile);
// GET; success only for a 2xx status, the body is kept whatever the status.
bool HttpGetChecked(const HttpTarget& target, std::string& text);
// GET with the short time-outs; success for a status below 400, and only then is
// the body read. Lowers the time-outs of every later request of the process.
bool HttpGetTimed(const HttpTarget& target, std::string& text);
// HttpGetTimed for callers that work in 16-bit text; the body is read as UTF-8.
bool HttpGetTimed(const HttpTarget& target, std::u16string& text);

HttpTimeouts currentHttpTimeouts();
// Sets the time-outs of every later request of the process.
void setHttpTimeouts(HttpTimeouts timeouts);
