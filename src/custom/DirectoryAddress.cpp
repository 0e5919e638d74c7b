#include "custom/DirectoryAddress.h"

#include "common/TextCase.h"
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
