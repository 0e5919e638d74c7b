#include "app/AutosaveRules.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kMillisecondsPerMinute = 60 * 1000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<int> parseIntervalText(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int effectiveAutosaveMinutes(int minutes)
{
    return minutes < 1 ? kDefaultAutosaveMinutes : minutes;
}

int autosavePeriodMilliseconds(int minutes)
{
    const std::int64_t period = std::int64_t { effectiveAutosaveMinutes(minutes) } * kMillisecondsPerMinute;
    return static_cast<int>(std::min<std::int64_t>(period, std::numeric_limits<int>::max()));
}
