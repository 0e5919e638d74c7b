#include "custom/ListCells.h"

#include "common/TextCase.h"
#include "common/TrimmedText.h"
#include "common/Utf8Text.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::string_view kDofollow = "dofollow";
constexpr std::string_view kNofollow = "nofollow";
constexpr std::string_view kFree = "free";
constexpr std::string_view kFreemium = "freemium";
constexpr std::string_view kPaid = "paid";
// A longer cell is no fact; only its start is looked at.
constexpr std::size_t kLongestFact = 64;

constexpr std::string_view kNofollowWords[] = { "nofollow", "no follow", "no-follow", "ugc", "sponsored" };
constexpr std::string_view kDofollowWords[] = { "dofollow", "do follow", "do-follow", "follow" };
constexpr std::string_view kFreeWords[] = { "free", "gratis", "gratuit", "kostenlos", "darmow",
    "\xD0\xB1\xD0\xB5\xD1\x81\xD0\xBF\xD0\xBB\xD0\xB0\xD1\x82" /* бесплат */ };
constexpr std::string_view kPaidWords[] = { "paid", "premium", "trial", "kostenpflichtig", "payant", "pago",
    "pagamento", "betaald", "platn", "\xD0\xBF\xD0\xBB\xD0\xB0\xD1\x82\xD0\xBD" /* платн */ };
// A price without an amount is paid; with one, the amount tells.
constexpr std::string_view kCurrencyWords[] = { "$", "\xE2\x82\xAC" /* € */, "\xC2\xA3" /* £ */, "usd",
    "eur" };
constexpr std::string_view kYesWords[] = { "yes", "y", "true", "1", "x", "ja", "oui", "si", "s\xC3\xAD",
    "s\xC3\xAC", "sim", "tak", "\xD0\xB4\xD0\xB0" /* да */, "\xE2\x9C\x93" /* ✓ */, "\xE2\x9C\x94" /* ✔ */,
    "\xE2\x9C\x85" /* ✅ */ };
constexpr std::string_view kNoWords[] = { "no", "n", "false", "0", "nein", "non", "nao", "n\xC3\xA3o", "nie",
    "\xD0\xBD\xD0\xB5\xD1\x82" /* нет */, "\xE2\x9C\x97" /* ✗ */, "\xE2\x9D\x8C" /* ❌ */, "-" };

// A byte that is, or starts, a character a name never holds: C0 controls,
// DEL, and the C1 controls (U+0080 to U+009F, "\xC2\x80" to "\xC2\x9F").
bool startsControl(std::string_view text, std::size_t at)
{
    const auto c = static_cast<unsigned char>(text[at]);
    return c < 0x20 || c == 0x7F
        || (c == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) < 0xA0);
}

// Whether a trimmed text holds no control character and no run of blanks;
// the bytes that could start either are looked for first.
bool isClean(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c > ' ' && c != 0x7F && c != 0xC2)
            continue;
        if (startsControl(text, at) || (c == ' ' && text[at + 1] == ' '))
            return false;
    }
    return true;
}

// A symbol, emoji or invisible mark that lists put before a category's name.
bool isSymbol(char32_t code)
{
    if (code < 0x80)
        return !(
            (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'));
    return (code >= 0x80 && code <= 0xBF) || code == 0xD7 || code == 0xF7
        || (code >= 0x2000 && code <= 0x2BFF) || (code >= 0x2E00 && code <= 0x2E7F)
        || (code >= 0x3000 && code <= 0x303F) || (code >= 0xFE00 && code <= 0xFE0F)
        || (code >= 0x1F000 && code <= 0x1FAFF) || (code >= 0xE0000 && code <= 0xE007F)
        || code == kReplacementCharacter;
}

bool isEmoji(char32_t code)
{
    return (code >= 0x2190 && code <= 0x2BFF) || (code >= 0xFE00 && code <= 0xFE0F)
        || (code >= 0x1F000 && code <= 0x1FAFF) || code == 0x200D || code == 0x20E3;
}

// The category without the symbols before it and the emoji after it.
std::string_view withoutDecoration(std::string_view text)
{
    std::size_t length = 0;
    while (!text.empty() && isSymbol(decodeUtf8(text, 0, length)))
        text.remove_prefix(length);
    // Trailing emoji: walk back to the start of the last character.
    for (;;) {
        text = trimmed(text);
        std::size_t start = text.size();
        while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start == 0 || !isEmoji(decodeUtf8(text, start - 1, length)))
            return text;
        text.remove_suffix(text.size() - (start - 1));
    }
}

// The start of a cell, trimmed, in lower case: the form the fact words are in.
// The text lives in a buffer of the thread, since every row of a list asks.
std::string_view lowered(std::string_view cell)
{
    thread_local std::string buffer;
    cell = trimmed(cell);
    if (cell.size() > kLongestFact)
        cell = trimmed(utf8Prefix(cell, kLongestFact));
    if (std::any_of(cell.begin(), cell.end(), [](char c) { return (c & 0x80) != 0; })) {
        buffer = lowerCase(cell);
    } else {
        buffer.assign(cell);
        for (char& c : buffer)
            c = lowerAscii(c);
    }
    return buffer;
}

template <std::size_t N> bool containsAny(std::string_view text, const std::string_view (&words)[N])
{
    return std::any_of(std::begin(words), std::end(words),
        [text](std::string_view word) { return text.find(word) != std::string_view::npos; });
}

template <std::size_t N> bool isOneOf(std::string_view text, const std::string_view (&words)[N])
{
    return std::find(std::begin(words), std::end(words), text) != std::end(words);
}

// What a yes or no in a column named after one of two values means.
std::string_view yesOrNo(
    std::string_view text, std::string_view yesMeans, std::string_view first, std::string_view second)
{
    if (yesMeans.empty())
        return {};
    if (isOneOf(text, kYesWords))
        return yesMeans;
    if (isOneOf(text, kNoWords))
        return yesMeans == first ? second : first;
    return {};
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The first number of a text, as far as ratings and prices need it.
struct FirstNumber {
    std::int64_t whole = 0; // at most kNumberCap
    bool negative = false;
    bool roundsUp = false; // its decimal part is .5 or more
};

constexpr std::int64_t kNumberCap = 1'000'000;

std::optional<FirstNumber> firstNumber(std::string_view text)
{
    const auto digit = std::find_if(text.begin(), text.end(), isDigit);
    if (digit == text.end())
        return std::nullopt;
    const auto first = static_cast<std::size_t>(digit - text.begin());
    FirstNumber number;
    number.negative = first > 0 && text[first - 1] == '-';
    std::size_t at = first;
    for (; at < text.size() && isDigit(text[at]); ++at)
        number.whole = std::min(number.whole * 10 + (text[at] - '0'), kNumberCap);
    if (at + 1 < text.size() && (text[at] == '.' || text[at] == ',') && isDigit(text[at + 1])) {
        std::size_t digits = 1;
        while (at + 1 + digits < text.size() && isDigit(text[at + 1 + digits]))
            ++digits;
        // "1,200" groups thousands; "55.6" and "55,6" are decimals.
        if (text[at] == ',' && digits == 3)
            number.whole = kNumberCap;
        else
            number.roundsUp = text[at + 1] >= '5';
    }
    return number;
}

} // namespace

std::string_view cleanListText(std::string_view cell, std::string& scratch)
{
    cell = trimmed(cell);
    if (isClean(cell))
        return cell;
    scratch.clear();
    for (std::size_t at = 0; at < cell.size(); ++at) {
        if (!startsControl(cell, at)) {
            if (cell[at] != ' ' || (!scratch.empty() && scratch.back() != ' '))
                scratch += cell[at];
            continue;
        }
        if (isAsciiBlank(cell[at]) && !scratch.empty() && scratch.back() != ' ')
            scratch += ' ';
        if (static_cast<unsigned char>(cell[at]) == 0xC2)
            ++at;
    }
    while (!scratch.empty() && scratch.back() == ' ')
        scratch.pop_back();
    return scratch;
}

void readListCategory(std::string_view cell, std::string& out)
{
    out.clear();
    std::string scratch;
    while (!cell.empty()) {
        const auto separator =
            std::find_if(cell.begin(), cell.end(), [](char c) { return c == ',' || c == ';' || c == '|'; });
        const auto end = static_cast<std::size_t>(separator - cell.begin());
        const std::string_view category = withoutDecoration(cleanListText(cell.substr(0, end), scratch));
        if (!category.empty()) {
            if (!out.empty())
                out += ',';
            out.append(category);
        }
        cell.remove_prefix(std::min(end + 1, cell.size()));
    }
}

std::int32_t readListRating(std::string_view cell)
{
    const std::optional<FirstNumber> number = firstNumber(cell);
    if (!number || number->negative)
        return -1;
    const std::int64_t rating = number->whole + (number->roundsUp ? 1 : 0);
    return rating <= 100 ? static_cast<std::int32_t>(rating) : -1;
}

std::string_view readLinkType(std::string_view cell, std::string_view yesMeans)
{
    const std::string_view text = lowered(cell);
    if (containsAny(text, kNofollowWords))
        return kNofollow;
    if (containsAny(text, kDofollowWords))
        return kDofollow;
    return yesOrNo(text, yesMeans, kDofollow, kNofollow);
}

std::string_view readPricing(std::string_view cell, std::string_view yesMeans)
{
    const std::string_view text = lowered(cell);
    if (text.find(kFreemium) != std::string_view::npos)
        return kFreemium;
    const bool free = containsAny(text, kFreeWords);
    bool paid = containsAny(text, kPaidWords);
    // A price: "$0" is free, any other amount is paid.
    if (!free && !paid && !isOneOf(text, kYesWords) && !isOneOf(text, kNoWords)) {
        if (const std::optional<FirstNumber> amount = firstNumber(text))
            return amount->whole == 0 && !amount->roundsUp ? kFree : kPaid;
        paid = containsAny(text, kCurrencyWords);
    }
    if (free && paid)
        return kFreemium;
    if (free)
        return kFree;
    if (paid)
        return kPaid;
    return yesOrNo(text, yesMeans, kFree, kPaid);
}
