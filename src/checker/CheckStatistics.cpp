#include "checker/CheckStatistics.h"

#include <cstdint>

namespace {

std::u16string decimal(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string counters(const std::array<int, CheckStatistics::kVectorSize>& vector)
{
    std::u16string text;
    for (const int counter : vector)
        text += decimal(counter) + u", ";
    return text;
}

// Adds one to the counter of a change's size; sizes without a counter are left out.
void countSize(std::array<int, CheckStatistics::kVectorSize>& vector, std::int64_t size)
{
    if (size >= 0 && size < static_cast<std::int64_t>(vector.size()))
        ++vector[static_cast<std::size_t>(size)];
}

} // namespace

CheckStatistics CheckStatistics::count(const CheckResults& results)
{
    CheckStatistics statistics;
    statistics.updated = static_cast<int>(results.prChanges.size());
    statistics.disabled = static_cast<int>(results.brokenSites.size());
    for (const PrChange& change : results.prChanges) {
        if (change.newPR == 0)
            ++statistics.downToZero;
        else if (change.newPR == -1)
            ++statistics.downToMinusOne;
        // Stored values are not range-checked, so the difference may not fit 32 bits.
        const std::int64_t difference = std::int64_t { change.newPR } - change.oldPR;
        if (difference > 0) {
            ++statistics.movingUp;
            countSize(statistics.upVector, difference);
        } else {
            ++statistics.movingDown;
            countSize(statistics.downVector, -difference);
        }
    }
    return statistics;
}

std::u16string CheckStatistics::text() const
{
    return u"Check finished.\r\n\tUpdated PR for " + decimal(updated) + u" directories\r\n\tDisabled "
        + decimal(disabled) + u" directories\r\nMoving up: " + decimal(movingUp)
        + u" directories\r\nMoving down: " + decimal(movingDown) + u" directories\r\nDown to 0: "
        + decimal(downToZero) + u" directories\r\nDown to -1: " + decimal(downToMinusOne)
        + u" directories\r\nUp vector: " + counters(upVector) + u"\r\nDown vector: " + counters(downVector);
}
