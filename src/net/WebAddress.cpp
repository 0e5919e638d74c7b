#include "net/WebAddress.h"

#include "common/TextCase.h"

#include <curl/curl.h>

#include <cstdlib>
#include <memory>

namespace {

struct UrlDeleter {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

constexpr std::string_view kBlanks = " \t\r\n\f";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Browsers drop blanks around an href and the tabs and line breaks inside it,
// and escape what may not stand in an address.
std::string cleanReference(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    std::string clean;
    clean.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r')
            continue;
        if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^'
            || c == '`' || c == '{' || c == '|' || c == '}') {
            clean += '%';
            clean += kHexDigits[byte >> 4];
            clean += kHexDigits[byte & 0x0F];
        } else {
            clean += c;
        }
    }
    return clean;
}

std::string part(CURLU* handle, CURLUPart which, unsigned flags = 0)
{
    char* text = nullptr;
    if (curl_url_get(handle, which, &text, flags) != CURLUE_OK || !text)
        return {};
    std::string value(text);
    curl_free(text);
    return value;
}

std::optional<WebAddress> addressOf(CURLU* handle)
{
    curl_url_set(handle, CURLUPART_FRAGMENT, nullptr, 0);
    WebAddress address;
    address.scheme = lowerAscii(part(handle, CURLUPART_SCHEME));
    if (address.scheme != "http" && address.scheme != "https")
        return std::nullopt;
    address.host = lowerAscii(part(handle, CURLUPART_HOST));
    if (address.host.empty())
        return std::nullopt;
    curl_url_set(handle, CURLUPART_HOST, address.host.c_str(), 0);
    const std::string port = part(handle, CURLUPART_PORT, CURLU_DEFAULT_PORT);
    address.port = port.empty() ? 0 : std::atoi(port.c_str());
    std::string path = part(handle, CURLUPART_PATH);
    address.path = path.empty() ? std::string(1, '/') : std::move(path);
    address.query = part(handle, CURLUPART_QUERY);
    address.url = part(handle, CURLUPART_URL);
    if (address.url.empty())
        return std::nullopt;
    return address;
}

} // namespace

std::string WebAddress::authority() const
{
    const int own = scheme == "https" ? 443 : 80;
    return port == own || port == 0 ? host : host + ":" + std::to_string(port);
}

std::optional<WebAddress> resolveWebAddress(std::string_view base, std::string_view reference)
{
    UrlHandle handle(curl_url());
    if (!handle)
        return std::nullopt;
    const std::string baseText = cleanReference(base);
    const std::string referenceText = cleanReference(reference);
    if (curl_url_set(handle.get(), CURLUPART_URL, baseText.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    if (!referenceText.empty()
        && curl_url_set(handle.get(), CURLUPART_URL, referenceText.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    return addressOf(handle.get());
}

std::optional<WebAddress> parseWebAddress(std::string_view address)
{
    UrlHandle handle(curl_url());
    if (!handle)
        return std::nullopt;
    const std::string text = cleanReference(address);
    if (text.empty()
        || curl_url_set(handle.get(), CURLUPART_URL, text.c_str(), CURLU_DEFAULT_SCHEME) != CURLUE_OK)
        return std::nullopt;
    return addressOf(handle.get());
}
