#include "net/HttpClient.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "common/WideText.h"
#include "net/WebAddress.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr HttpTimeouts kDefaultTimeouts { 60s, 60s };
constexpr HttpTimeouts kTimedRequestTimeouts { 10s, 10s };
constexpr long kMaxRedirects = 10;
constexpr const char* kFormContentType = "Content-Type: application/x-www-form-urlencoded";

std::atomic<long long> g_connectMilliseconds { kDefaultTimeouts.connect.count() };
std::atomic<long long> g_receiveMilliseconds { kDefaultTimeouts.receive.count() };

// libcurl's process-wide set-up, done on first use. A failed set-up is tried
// again by the next request; the lock makes two threads' first requests safe.
bool curlReady()
{
    static std::mutex mutex;
    static bool ready = false;
    std::lock_guard lock(mutex);
    if (!ready)
        ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// The file a body is written to; closed when the request ends.
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& path)
        : m_fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))
    {
    }
    ~OutputFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    bool write(const char* data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(m_fd, data, size);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

private:
    int m_fd;
};

// The state of one transfer that the body callback works on.
struct Transfer {
    const HttpRequest& request;
    CURL* handle;
    std::string* text;
    OutputFile* file;
    std::size_t received = 0;
    bool bodyCut = false; // the cap, a failed write or an unwanted status ended reading
    bool tooLarge = false; // the cap ended reading
    bool headersDone = false; // the last response's headers arrived whole
    std::map<std::string, std::string> headers; // the last response's, names in lower case
    bool ownRedirects = false; // redirects are followed here, not by libcurl
};

long responseStatus(CURL* handle)
{
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

bool isRedirectStatus(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The body of a redirect that is followed here is nobody's answer.
bool isPassedRedirect(const Transfer& transfer)
{
    return transfer.ownRedirects && isRedirectStatus(responseStatus(transfer.handle))
        && transfer.headers.contains("location");
}

void noteHeaderField(Transfer& transfer, std::string_view line)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return;
    std::string name(line.substr(0, colon));
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    transfer.headers.emplace(std::move(name), std::string(trimmed(line.substr(colon + 1))));
}

// Notes where each response's headers begin and end: a status line starts a new
// response (redirects have several), the empty line ends its headers. A server
// that never ends its headers has not answered, whatever its status line said.
std::size_t noteHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        transfer.headersDone = false;
        transfer.headers.clear();
    } else if (line == "\r\n" || line == "\n") {
        transfer.headersDone = true;
    } else {
        noteHeaderField(transfer, line);
    }
    return size * count;
}

bool statusDropsBody(const Transfer& transfer)
{
    return transfer.request.readOnlyBelow400 && responseStatus(transfer.handle) >= 400;
}

std::size_t storeBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t offered = size * count;
    if (isPassedRedirect(transfer))
        return offered;
    if (statusDropsBody(transfer)) {
        transfer.bodyCut = true;
        return 0;
    }
    const std::size_t taken = std::min(offered, transfer.request.maxBodyBytes - transfer.received);
    if (transfer.file) {
        if (!transfer.file->write(data, taken)) {
            transfer.bodyCut = true;
            return 0;
        }
    } else {
        transfer.text->append(data, taken);
    }
    transfer.received += taken;
    if (taken < offered) {
        transfer.bodyCut = true;
        transfer.tooLarge = true;
        return 0; // ends the transfer: the rest is over the cap
    }
    return offered;
}

// Tells the caller's progress function how far the body is and lets the
// caller's flag end a transfer that is under way.
int reportProgress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t)
{
    const auto& transfer = *static_cast<Transfer*>(user);
    if (transfer.request.cancel && transfer.request.cancel->load())
        return 1;
    if (!transfer.request.progress)
        return 0;
    const bool goOn = transfer.request.progress(static_cast<std::uint64_t>(std::max<curl_off_t>(received, 0)),
        static_cast<std::uint64_t>(std::max<curl_off_t>(total, 0)));
    return goOn ? 0 : 1;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// A receive time-out: give up when less than one byte arrives per second over
// the whole period.
void setTimeouts(CURL* handle, const HttpRequest& request)
{
    const HttpTimeouts timeouts = request.timeouts.value_or(currentHttpTimeouts());
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
    const auto receiveSeconds = std::max<long long>(1, (timeouts.receive.count() + 999) / 1000);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(receiveSeconds));
    if (request.totalTimeout.count() > 0)
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(request.totalTimeout.count()));
}

void setCommonOptions(CURL* handle, const std::string& url, const HttpRequest& request)
{
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, kHttpUserAgent);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    setTimeouts(handle, request);
}

HttpFailure failureOf(CURLcode result, const Transfer& transfer)
{
    if (transfer.tooLarge)
        return HttpFailure::TooLarge;
    switch (result) {
    case CURLE_OK:
        return HttpFailure::None;
    case CURLE_ABORTED_BY_CALLBACK:
        return HttpFailure::Cancelled;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpFailure::TimedOut;
    case CURLE_TOO_MANY_REDIRECTS:
        return HttpFailure::TooManyRedirects;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return HttpFailure::RedirectRefused;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return HttpFailure::NoConnection;
    default:
        return HttpFailure::Other;
    }
}

std::string infoText(CURL* handle, CURLINFO info)
{
    char* text = nullptr;
    curl_easy_getinfo(handle, info, &text);
    return text ? std::string(text) : std::string();
}

// libcurl sends custom headers, such as an API key, on to whatever host a
// redirect names; requests with a secret are followed through their
// redirects here instead, and so are those whose caller vets each redirect.
bool carriesSecret(const HttpRequest& request)
{
    return request.carriesSecret
        || std::any_of(request.headers.begin(), request.headers.end(),
            [](const std::string& line) { return startsWithNoCase(line, "authorization:"); });
}

bool redirectPermitted(const HttpRequest& request, const std::string& from, const std::string& to)
{
    const std::optional<WebAddress> target = parseWebAddress(to);
    if (!target || (carriesSecret(request) && !secretMayFollow(from, to)))
        return false;
    return !request.redirectAllowed || request.redirectAllowed(target->url);
}

// The address the answer just read redirects to, when it is a redirect.
std::optional<std::string> redirectTarget(CURL* handle, CURLcode result)
{
    if (result != CURLE_OK || !isRedirectStatus(responseStatus(handle)))
        return std::nullopt;
    std::string target = infoText(handle, CURLINFO_REDIRECT_URL);
    if (target.empty())
        return std::nullopt;
    return target;
}

// The time left of the whole exchange for its next leg; false when none is.
bool setTimeLeft(CURL* handle, const HttpRequest& request, std::chrono::steady_clock::time_point start)
{
    if (request.totalTimeout.count() <= 0)
        return true;
    const auto left = request.totalTimeout
        - std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (left.count() <= 0)
        return false;
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()));
    return true;
}

// Runs the transfer, following its redirects here when the request asks for
// that; the failure that ended it in their course, or None.
HttpFailure runTransfer(CURL* handle, const HttpRequest& request, const Transfer& transfer, CURLcode& result)
{
    const auto start = std::chrono::steady_clock::now();
    std::string current = request.target.url();
    for (long redirects = 0;; ++redirects) {
        result = curl_easy_perform(handle);
        if (!transfer.ownRedirects)
            return HttpFailure::None;
        const std::optional<std::string> next = redirectTarget(handle, result);
        if (!next)
            return HttpFailure::None;
        if (redirects == kMaxRedirects)
            return HttpFailure::TooManyRedirects;
        if (!redirectPermitted(request, current, *next))
            return HttpFailure::RedirectRefused;
        if (!setTimeLeft(handle, request, start))
            return HttpFailure::TimedOut;
        // A 303 asks for the new address by GET; the other kinds keep the method.
        if (responseStatus(handle) == 303)
            curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
        current = *next;
        curl_easy_setopt(handle, CURLOPT_URL, current.c_str());
    }
}

bool getOrPost(const HttpTarget& target, std::string& textOrFile, bool toFile,
    const std::optional<std::string>& formBody)
{
    HttpRequest request(target);
    request.formBody = formBody;
    if (toFile)
        return performHttpRequest(request, HttpOutput { nullptr, textOrFile }).answered();
    return performHttpRequest(request, HttpOutput { &textOrFile, std::nullopt }).answered();
}

} // namespace

HttpExchange performHttpRequest(const HttpRequest& request, const HttpOutput& output)
{
    HttpExchange exchange;
    std::unique_ptr<OutputFile> file;
    std::string unused;
    std::string* text = output.text ? output.text : &unused;
    if (output.file) {
        file = std::make_unique<OutputFile>(*output.file);
        if (!file->isOpen())
            return exchange;
    } else {
        text->clear();
    }

    if (!curlReady())
        return exchange;
    std::unique_ptr<CURL, CurlDeleter> handle(curl_easy_init());
    if (!handle)
        return exchange;
    const std::string url = request.target.url();
    setCommonOptions(handle.get(), url, request);

    const bool ownRedirects = carriesSecret(request) || request.redirectAllowed;
    if (ownRedirects)
        curl_easy_setopt(handle.get(), CURLOPT_FOLLOWLOCATION, 0L);

    std::unique_ptr<curl_slist, HeaderListDeleter> headers;
    std::vector<std::string> lines = request.headers;
    if (request.formBody) {
        lines.emplace_back(kFormContentType);
        // No "Expect: 100-continue": the body goes out with the request at once.
        lines.emplace_back("Expect:");
    }
    for (const std::string& line : lines) {
        curl_slist* list = curl_slist_append(headers.get(), line.c_str());
        if (!list)
            return exchange;
        if (!headers)
            headers.reset(list); // later lines go to the end; the head stays
    }
    if (headers)
        curl_easy_setopt(handle.get(), CURLOPT_HTTPHEADER, headers.get());
    if (request.formBody) {
        curl_easy_setopt(
            handle.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.formBody->size()));
        curl_easy_setopt(handle.get(), CURLOPT_COPYPOSTFIELDS, request.formBody->c_str());
    }

    Transfer transfer { request, handle.get(), text, file.get(), 0, false, false, false, {}, ownRedirects };
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, storeBody);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle.get(), CURLOPT_HEADERFUNCTION, noteHeader);
    curl_easy_setopt(handle.get(), CURLOPT_HEADERDATA, &transfer);
    if (request.progress || request.cancel) {
        curl_easy_setopt(handle.get(), CURLOPT_XFERINFOFUNCTION, reportProgress);
        curl_easy_setopt(handle.get(), CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(handle.get(), CURLOPT_NOPROGRESS, 0L);
    }

    CURLcode result = CURLE_OK;
    const HttpFailure redirectFailure = runTransfer(handle.get(), request, transfer, result);
    exchange.status = transfer.headersDone ? responseStatus(handle.get()) : 0;
    exchange.failure = redirectFailure == HttpFailure::None ? failureOf(result, transfer) : redirectFailure;
    // A redirect that may not be followed leaves the request without an answer.
    if (exchange.failure == HttpFailure::RedirectRefused)
        exchange.status = 0;
    exchange.headers = std::move(transfer.headers);
    exchange.complete = exchange.failure == HttpFailure::None && !transfer.bodyCut && exchange.answered();
    exchange.finalUrl = infoText(handle.get(), CURLINFO_EFFECTIVE_URL);
    exchange.contentType = infoText(handle.get(), CURLINFO_CONTENT_TYPE);
    return exchange;
}

bool HttpGetPage(const HttpTarget& target, std::string& text)
{
    return performHttpRequest(HttpRequest(target), HttpOutput { &text, std::nullopt }).answered();
}

bool HttpGetToFile(const HttpTarget& target, std::string& textOrFile, bool toFile)
{
    return getOrPost(target, textOrFile, toFile, std::nullopt);
}

bool HttpPostForm(const HttpTarget& target, const std::string& body, std::string& textOrFile, bool toFile)
{
    return getOrPost(target, textOrFile, toFile, body);
}

bool HttpGetChecked(const HttpTarget& target, std::string& text)
{
    const HttpExchange exchange = performHttpRequest(HttpRequest(target), HttpOutput { &text, std::nullopt });
    return exchange.status >= 200 && exchange.status < 300;
}

bool HttpGetTimed(const HttpTarget& target, std::string& text)
{
    setHttpTimeouts(kTimedRequestTimeouts);
    HttpRequest request(target);
    request.readOnlyBelow400 = true;
    const HttpExchange exchange = performHttpRequest(request, HttpOutput { &text, std::nullopt });
    return exchange.answered() && exchange.status < 400;
}

bool HttpGetTimed(const HttpTarget& target, std::u16string& text)
{
    std::string bytes;
    const bool succeeded = HttpGetTimed(target, bytes);
    text = utf16FromUtf8(bytes);
    return succeeded;
}

bool secretMayFollow(std::string_view from, std::string_view to)
{
    const std::optional<WebAddress> source = parseWebAddress(from);
    const std::optional<WebAddress> target = parseWebAddress(to);
    return source && target && target->scheme == "https" && target->host == source->host;
}

HttpTimeouts currentHttpTimeouts()
{
    return HttpTimeouts { std::chrono::milliseconds(g_connectMilliseconds.load()),
        std::chrono::milliseconds(g_receiveMilliseconds.load()) };
}

void setHttpTimeouts(HttpTimeouts timeouts)
{
    g_connectMilliseconds = timeouts.connect.count();
    g_receiveMilliseconds = timeouts.receive.count();
}
