#include "profiles/SubmissionDate.h"

#include "common/IClock.h"
#include "common/LocalTime.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <locale.h>
#include <optional>

namespace SendingProfile {

namespace {

constexpr const char* kEntryDatePattern = "%d %B %Y";
constexpr const char* kStateDatePattern = "%Y-%m-%d";

std::optional<std::chrono::year_month_day> readIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {};
    const std::string_view fields[3] = { text.substr(0, 4), text.substr(5, 2), text.substr(8, 2) };
    for (int at = 0; at < 3; ++at) {
        const auto [end, error] =
            std::from_chars(fields[at].data(), fields[at].data() + fields[at].size(), parts[at]);
        if (error != std::errc() || end != fields[at].data() + fields[at].size())
            return std::nullopt;
    }
    const std::chrono::year_month_day date { std::chrono::year(parts[0]),
        std::chrono::month(static_cast<unsigned>(parts[1])),
        std::chrono::day(static_cast<unsigned>(parts[2])) };
    return date.ok() ? std::optional(date) : std::nullopt;
}

// Reads an entry's date with the month names of a locale; all of the text must be read.
std::optional<std::chrono::year_month_day> entryDate(const std::string& text, locale_t locale)
{
    std::tm parts {};
    const char* end = locale ? strptime_l(text.c_str(), kEntryDatePattern, &parts, locale)
                             : strptime(text.c_str(), kEntryDatePattern, &parts);
    if (!end || *end != '\0')
        return std::nullopt;
    const std::chrono::year_month_day date { std::chrono::year(parts.tm_year + 1900),
        std::chrono::month(static_cast<unsigned>(parts.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(parts.tm_mday)) };
    return date.ok() ? std::optional(date) : std::nullopt;
}

// Dates written under another locale than today's are most often English.
locale_t englishDates()
{
    static const locale_t locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

std::string submissionDate(const IClock& clock)
{
    return formatLocalTime(clock.now(), kEntryDatePattern);
}

std::string stateDate(const IClock& clock)
{
    return formatLocalTime(clock.now(), kStateDatePattern);
}

int dayOfDate(std::string_view text)
{
    std::optional<std::chrono::year_month_day> date = readIsoDate(text);
    if (!date && !text.empty()) {
        const std::string copy(text);
        date = entryDate(copy, nullptr);
        if (!date && englishDates())
            date = entryDate(copy, englishDates());
    }
    if (!date)
        return -1;
    return static_cast<int>(std::chrono::sys_days(*date).time_since_epoch().count());
}

std::string isoDate(std::string_view text)
{
    const int day = dayOfDate(text);
    if (day < 0)
        return std::string(text);
    const std::chrono::year_month_day date { std::chrono::sys_days(std::chrono::days(day)) };
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string shownDate(std::string_view text)
{
    const std::optional<std::chrono::year_month_day> date = readIsoDate(text);
    if (!date)
        return std::string(text);
    std::tm parts {};
    parts.tm_year = static_cast<int>(date->year()) - 1900;
    parts.tm_mon = static_cast<int>(static_cast<unsigned>(date->month())) - 1;
    parts.tm_mday = static_cast<int>(static_cast<unsigned>(date->day()));
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return formatLocalTime(std::mktime(&parts), kEntryDatePattern);
}

} // namespace SendingProfile
