#include "custom/DirectoryAddress.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "common/Utf8Text.h"
#include "directories/HostKey.h"

#include <vector>

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";
constexpr std::string_view kWww = "www.";
// What sites put between the parts of their titles.
constexpr std::string_view kTitleSeparators[] = { " | ", " - ", " :: ", " \xE2\x80\x93 ", " \xE2\x80\x94 ",
    " \xC2\xBB ", " \xC2\xAB ", " / ", ": " };
// A longer name is cut: it is a sentence, not a name.
constexpr std::size_t kMaxTitleName = 60;

std::string_view trimmedTitle(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> titlePieces(std::string_view title)
{
    std::vector<std::string_view> pieces;
    while (!title.empty()) {
        std::size_t cut = std::string_view::npos;
        std::size_t length = 0;
        for (const std::string_view separator : kTitleSeparators) {
            const std::size_t at = title.find(separator);
            if (at < cut) {
                cut = at;
                length = separator.size();
            }
        }
        if (const std::string_view piece = trimmedTitle(title.substr(0, cut)); !piece.empty())
            pieces.push_back(piece);
        if (cut == std::string_view::npos)
            break;
        title.remove_prefix(cut + length);
    }
    return pieces;
}

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether a host (with an optional ":port") could name a web site; a bracketed
// IPv6 address only where the scheme was written.
bool isUsableHost(std::string_view host, bool schemeGiven)
{
    if (schemeGiven && host.starts_with('[')) {
        const std::size_t close = host.find(']');
        return close != std::string_view::npos && close > 1
            && (close + 1 == host.size() || (host[close + 1] == ':' && allDigits(host.substr(close + 2))));
    }
    if (const std::size_t colon = host.find(':'); colon != std::string_view::npos) {
        if (!allDigits(host.substr(colon + 1)) || host.size() - colon > 6)
            return false;
        host = host.substr(0, colon);
    }
    if (host.empty() || host.front() == '.' || host.front() == '-'
        || host.find("..") != std::string_view::npos)
        return false;
    for (const char c : host) {
        if (!isHostCharacter(c))
            return false;
    }
    return schemeGiven || host.find('.') != std::string_view::npos;
}

// Takes the scheme off an address: "http://" or "https://" (as the constant),
// empty when it names none; false for any other scheme.
bool splitScheme(std::string_view& text, std::string_view& scheme)
{
    for (const std::string_view known : { kHttp, kHttps }) {
        if (startsWithNoCase(text, known)) {
            scheme = known;
            text.remove_prefix(known.size());
            return true;
        }
    }
    const std::size_t end = text.find_first_of("/?#");
    const std::string_view head = text.substr(0, end);
    // "ftp://...", "mailto:...", "javascript:..."; a colon before digits is a port.
    const std::size_t colon = head.find(':');
    if (colon != std::string_view::npos && !allDigits(head.substr(colon + 1)))
        return false;
    if (text.starts_with("//"))
        text.remove_prefix(2);
    scheme = {};
    return true;
}

} // namespace

std::string withHttpScheme(std::string address)
{
    if (address.starts_with(kHttp) || address.starts_with(kHttps))
        return address;
    return std::string(kHttp) + address;
}

std::string proposedDirectoryName(std::string_view address)
{
    std::string name(proposedNamePart(address));
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z')
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    return name;
}

std::string proposedNameFromTitle(std::string_view title, std::string_view address)
{
    const std::vector<std::string_view> pieces = titlePieces(title);
    if (pieces.empty())
        return proposedDirectoryName(address);
    const std::string word = lowerAscii(proposedNamePart(address));
    std::string_view chosen = pieces.front();
    for (const std::string_view piece : pieces) {
        if (!word.empty() && lowerAscii(piece).find(word) != std::string::npos) {
            chosen = piece;
            break;
        }
    }
    return std::string(trimmedTitle(utf8Prefix(chosen, kMaxTitleName)));
}

std::string_view proposedNamePart(std::string_view address)
{
    if (startsWithNoCase(address, kHttp))
        address.remove_prefix(kHttp.size());
    else if (startsWithNoCase(address, kHttps))
        address.remove_prefix(kHttps.size());
    if (startsWithNoCase(address, kWww))
        address.remove_prefix(kWww.size());
    return address.substr(0, address.find('.'));
}

std::string siteKey(std::string_view address)
{
    if (!address.starts_with(kHttps))
        return hostKey(address);
    address.remove_prefix(kHttps.size());
    return hostKey(std::string(kHttp) + std::string(address));
}

bool readListAddress(std::string_view text, std::string& address)
{
    text = trimmed(text);
    while (!text.empty() && (text.back() == ',' || text.back() == ';'))
        text = trimmed(text.substr(0, text.size() - 1));
    std::string_view scheme;
    if (!splitScheme(text, scheme))
        return false;
    const std::size_t hostEnd = std::min(text.find_first_of("/?#"), text.size());
    const std::string_view host = text.substr(0, hostEnd);
    if (!isUsableHost(host, !scheme.empty()))
        return false;
    // The scheme is one of the constants, already in lower case.
    address.assign(scheme.empty() ? kHttps : scheme);
    for (const char c : host)
        address += lowerAscii(c);
    address.append(text.substr(hostEnd));
    return true;
}

std::string listSiteKey(std::string_view address)
{
    if (const std::size_t scheme = address.find("://"); scheme != std::string_view::npos)
        address.remove_prefix(scheme + 3);
    if (startsWithNoCase(address, kWww))
        address.remove_prefix(kWww.size());
    return lowerAscii(address.substr(0, address.find_first_of("/?#")));
}
