#include "filling/NewPassword.h"

#include "common/IRandomSource.h"

#include <algorithm>
#include <regex>
#include <string_view>

namespace {

constexpr std::string_view kLower = "abcdefghijkmnopqrstuvwxyz";
constexpr std::string_view kUpper = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::string_view kDigits = "23456789";
// Symbols that forms and the scripts behind them take as they are.
constexpr std::string_view kSymbols = "!#$%*+-=?@^_";
// More than a page can reasonably ask for.
constexpr std::size_t kLongestPassword = 128;
constexpr std::size_t kLongestPattern = 1000;
// Candidates tried for each mix of characters before it is narrowed.
constexpr int kTriesPerMix = 40;

// The mixes tried in turn, widest first.
const std::vector<std::vector<std::string_view>>& mixes()
{
    static const std::vector<std::vector<std::string_view>> all {
        { kLower, kUpper, kDigits, kSymbols },
        { kLower, kUpper, kDigits },
        { kLower, kDigits },
        { kLower, kUpper },
        { kDigits },
        { kLower },
    };
    return all;
}

std::size_t lengthFor(const PasswordRules& rules)
{
    std::size_t length = kNewPasswordLength;
    if (rules.minLength > 0)
        length = std::max(length, std::min(static_cast<std::size_t>(rules.minLength), kLongestPassword));
    if (rules.maxLength >= 0)
        length = std::min(length, static_cast<std::size_t>(rules.maxLength));
    return length;
}

char drawFrom(std::string_view characters, IRandomSource& random)
{
    return characters[random.pick(characters.size())];
}

// One candidate: a character of each kind first (where the length has room),
// the rest from all of them, then shuffled.
std::string candidate(const std::vector<std::string_view>& mix, std::size_t length, IRandomSource& random)
{
    std::string all;
    for (const std::string_view kind : mix)
        all += kind;
    std::string password;
    for (const std::string_view kind : mix)
        if (password.size() < length)
            password += drawFrom(kind, random);
    while (password.size() < length)
        password += drawFrom(all, random);
    for (std::size_t at = password.size(); at > 1; --at)
        std::swap(password[at - 1], password[random.pick(at)]);
    return password;
}

// The patterns as the browser applies them: to the whole value. One that this
// program cannot read is left out; the page's own check then decides.
std::vector<std::regex> compiled(const std::vector<std::string>& patterns)
{
    std::vector<std::regex> expressions;
    for (const std::string& pattern : patterns) {
        if (pattern.empty() || pattern.size() > kLongestPattern)
            continue;
        try {
            expressions.emplace_back("^(?:" + pattern + ")$", std::regex::ECMAScript);
        } catch (const std::regex_error&) {
        }
    }
    return expressions;
}

bool matchesAll(const std::string& password, const std::vector<std::regex>& expressions)
{
    try {
        return std::all_of(expressions.begin(), expressions.end(),
            [&](const std::regex& expression) { return std::regex_match(password, expression); });
    } catch (const std::regex_error&) {
        // Too complex to decide: taken as no match.
        return false;
    }
}

} // namespace

void PasswordRules::add(int fieldMaxLength, int fieldMinLength, const std::string& pattern)
{
    if (fieldMaxLength >= 0 && (maxLength < 0 || fieldMaxLength < maxLength))
        maxLength = fieldMaxLength;
    minLength = std::max(minLength, fieldMinLength);
    if (!pattern.empty())
        patterns.push_back(pattern);
}

std::string newPassword(const PasswordRules& rules, IRandomSource& random)
{
    const std::size_t length = lengthFor(rules);
    const std::vector<std::regex> expressions = compiled(rules.patterns);
    if (expressions.empty())
        return candidate(mixes().front(), length, random);
    for (const std::vector<std::string_view>& mix : mixes()) {
        for (int attempt = 0; attempt < kTriesPerMix; ++attempt) {
            std::string password = candidate(mix, length, random);
            if (matchesAll(password, expressions))
                return password;
        }
    }
    return candidate(mixes().front(), length, random);
}
