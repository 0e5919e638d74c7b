#include "autofill/ValueFitting.h"

#include "common/IRandomSource.h"
#include "common/Utf8Text.h"

namespace {

// Characters after which a cut text may end, and which it does not end with.
constexpr std::string_view kBreaks = " \t\r\n";
constexpr std::string_view kTrailing = " \t\r\n,;:-/|(&";

std::size_t unitsOf(char32_t code)
{
    return code >= 0x10000 ? 2 : 1;
}

} // namespace

std::size_t fieldLength(std::string_view utf8)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 1;
        units += unitsOf(decodeUtf8(utf8, at, length));
        at += length;
    }
    return units;
}

std::string cutAtWordBoundary(std::string_view text, std::size_t maxLength)
{
    // The longest prefix that fits, ending on a character boundary.
    std::size_t fits = 0;
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        units += unitsOf(decodeUtf8(text, at, length));
        if (units > maxLength)
            break;
        at += length;
        fits = at;
    }
    if (fits == text.size())
        return std::string(text);
    std::string_view cut = text.substr(0, fits);
    // Unless the cut falls just before a break, drop the partial last word.
    if (kBreaks.find(text[fits]) == std::string_view::npos) {
        const std::size_t lastBreak = cut.find_last_of(kBreaks);
        if (lastBreak != std::string_view::npos)
            cut = cut.substr(0, lastBreak);
    }
    const std::size_t end = cut.find_last_not_of(kTrailing);
    return std::string(end == std::string_view::npos ? cut : cut.substr(0, end + 1));
}

std::optional<std::size_t> fittingIndex(const std::vector<std::string>& alternatives,
    std::optional<std::size_t> maxLength, IRandomSource& random, std::optional<std::size_t> preferred)
{
    if (alternatives.empty())
        return std::nullopt;
    const auto fits = [&](std::size_t at) {
        return !maxLength || fieldLength(alternatives[at]) <= *maxLength;
    };
    if (preferred && *preferred < alternatives.size() && fits(*preferred))
        return preferred;
    std::vector<std::size_t> fitting;
    for (std::size_t at = 0; at < alternatives.size(); ++at) {
        if (fits(at))
            fitting.push_back(at);
    }
    if (fitting.empty())
        return 0;
    return fitting[random.pick(fitting.size()) % fitting.size()];
}

std::optional<std::string> fittingAlternative(const std::vector<std::string>& alternatives,
    std::optional<std::size_t> maxLength, IRandomSource& random, std::optional<std::size_t> preferred)
{
    const std::optional<std::size_t> chosen = fittingIndex(alternatives, maxLength, random, preferred);
    if (!chosen)
        return std::nullopt;
    const std::string& value = alternatives[*chosen];
    return maxLength ? cutAtWordBoundary(value, *maxLength) : value;
}
