#include "stats/SearchPages.h"

#include "common/DecimalText.h"
#include "stats/UrlText.h"

#include <cctype>
#include <limits>

namespace {

constexpr std::int32_t kAlexaMarkerMissing = -1;
constexpr std::size_t npos = std::string_view::npos;

// The text between `open` (searched from `from`) and the next `close` behind it;
// npos in `from` or a missing marker gives nothing.
bool textBetween(std::string_view body, std::size_t from, std::string_view open, std::string_view close,
    std::string_view& between)
{
    if (from == npos)
        return false;
    const std::size_t start = body.find(open, from);
    if (start == npos)
        return false;
    const std::size_t end = body.find(close, start + open.size());
    if (end == npos)
        return false;
    between = body.substr(start + open.size(), end - start - open.size());
    return true;
}

// Keeps the letters and digits (so "1,230" reads 1230) and reads the rest as atoi does.
std::int32_t readLettersAndDigits(std::string_view text)
{
    std::string kept;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)))
            kept += c;
    return parseDecimal(kept);
}

std::int32_t readFigure(
    std::string_view body, std::size_t anchor, std::string_view open, std::string_view close)
{
    std::string_view figure;
    return textBetween(body, anchor, open, close, figure) ? readLettersAndDigits(figure) : 0;
}

// Builds a number from the decimal digits of a text in order, skipping markup from
// a "<" to the next ">" and every other character.
std::int32_t readDigitsSkippingMarkup(std::string_view text)
{
    std::int64_t value = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '<') {
            at = text.find('>', at);
            if (at == npos)
                break;
        } else if (text[at] >= '0' && text[at] <= '9') {
            value = std::min<std::int64_t>(
                value * 10 + (text[at] - '0'), std::numeric_limits<std::int32_t>::max());
        }
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t readAlexaRank(std::string_view body)
{
    constexpr std::string_view kNbsp = "&nbsp;";
    const std::size_t rankText = body.find("traffic rank of");
    if (rankText == npos)
        return kAlexaMarkerMissing;
    const std::size_t space = body.find(kNbsp, rankText);
    if (space == npos)
        return kAlexaMarkerMissing;
    const std::size_t behind = space + kNbsp.size();
    if (behind < body.size() && body[behind] == 'N')
        return 0;
    std::string_view figure;
    if (!textBetween(body, space, "-->", "<!--", figure))
        return kAlexaMarkerMissing;
    return readDigitsSkippingMarkup(figure);
}

std::int32_t readGoogleInboundLinks(std::string_view body)
{
    return readFigure(body, body.find("of about"), "<b>", "</b>");
}

std::int32_t readGoogleIndex(std::string_view body)
{
    std::size_t anchor = body.find("of about <b>");
    if (anchor == npos)
        anchor = body.find("of <b>");
    return readFigure(body, anchor, "<b>", "</b>");
}

std::int32_t readYahooIndex(std::string_view body)
{
    return readFigure(body, body.find("<strong>Pages"), "(", ")");
}

std::int32_t readYahooInboundLinks(std::string_view body)
{
    return readFigure(body, body.find("Inlinks ("), "(", ")");
}

bool pageLinksTo(std::string_view body, std::string_view siteUrl)
{
    const std::string quoted = "href=\"" + std::string(siteUrl);
    const std::string bare = "href=" + std::string(siteUrl);
    return body.find(quoted) != npos || body.find(bare) != npos;
}

std::int32_t countOccurrencesBefore(std::string_view body, std::string_view text, std::size_t end)
{
    std::int32_t count = 0;
    for (std::size_t at = body.find(text, 1); at != npos && at < end; at = body.find(text, at + 1))
        ++count;
    return count;
}

std::string withHttpScheme(std::string_view siteRoot)
{
    if (schemeLength(siteRoot) != 0)
        return std::string(siteRoot);
    return "http://" + std::string(siteRoot);
}
