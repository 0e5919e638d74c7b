#include "custom/ListingWall.h"

#include "autofill/FormWords.h"
#include "common/TextCase.h"
#include "net/WebAddress.h"

#include <array>
#include <cctype>

namespace {

constexpr std::size_t kSignInSection = 0;
constexpr std::size_t kPaidSection = 1;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The currency marks a price is written with, signs in UTF-8 and codes in upper case.
constexpr std::array<std::string_view, 9> kCurrencies { "$", "\xE2\x82\xAC", "\xC2\xA3", "\xC2\xA5", "USD",
    "EUR", "GBP", "CHF", "CAD" };

// Whether a number stands right before `at` or right after `end`, a space apart at most.
bool numberBeside(std::string_view text, std::size_t at, std::size_t end)
{
    std::size_t before = at;
    if (before > 0 && text[before - 1] == ' ')
        --before;
    std::size_t after = end;
    if (after < text.size() && text[after] == ' ')
        ++after;
    return (before > 0 && isDigit(text[before - 1])) || (after < text.size() && isDigit(text[after]));
}

bool passwordField(const FormField& field)
{
    return field.tag == "input" && lowerAscii(field.type) == "password" && !field.cues.hidden;
}

} // namespace

bool namesPrice(std::string_view text)
{
    for (const std::string_view currency : kCurrencies) {
        for (std::size_t at = text.find(currency); at != std::string_view::npos;
             at = text.find(currency, at + 1)) {
            if (numberBeside(text, at, at + currency.size()))
                return true;
        }
    }
    return false;
}

ListingWallJudge::ListingWallJudge(const FormWords& words)
    : m_words(words, { "discovery.signin", "discovery.paid" })
{
}

const ListingWallJudge& ListingWallJudge::shipped()
{
    static const ListingWallJudge judge(FormWords::shipped());
    return judge;
}

ListingWall ListingWallJudge::judge(const HtmlPage& page, const std::string& url) const
{
    for (const FormField& field : page.forms.fields) {
        if (passwordField(field))
            return { ListingWall::Kind::SignIn, url };
    }
    if (m_words.contains(page.text, kSignInSection)) {
        if (std::string link = signInLink(page, url); !link.empty())
            return { ListingWall::Kind::SignIn, std::move(link) };
    }
    if (sellsListings(page))
        return { ListingWall::Kind::Paid, {} };
    return {};
}

bool ListingWallJudge::signInAddress(std::string_view url) const
{
    const std::optional<WebAddress> address = parseWebAddress(url);
    return address
        && m_words.contains(address->host + " " + address->path, kSignInSection, TextKind::Identifier);
}

std::string ListingWallJudge::signInLink(const HtmlPage& page, const std::string& url) const
{
    for (const PageLink& link : page.links) {
        if (link.frame)
            continue;
        const std::optional<WebAddress> target = resolveWebAddress(url, link.href);
        if (target
            && (m_words.contains(link.text + " " + link.title, kSignInSection) || signInAddress(target->url)))
            return target->url;
    }
    return {};
}

bool ListingWallJudge::sellsListings(const HtmlPage& page) const
{
    if (!namesPrice(page.text))
        return false;
    for (const PageLink& link : page.links) {
        if (m_words.contains(link.text + " " + link.title, kPaidSection)
            || m_words.contains(link.href, kPaidSection, TextKind::Identifier))
            return true;
    }
    return false;
}
