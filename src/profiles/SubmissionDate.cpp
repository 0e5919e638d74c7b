#include "profiles/SubmissionDate.h"

#include "common/IClock.h"
#include "common/LocalTime.h"

namespace SendingProfile {

std::string submissionDate(const IClock& clock)
{
    return formatLocalTime(clock.now(), "%d %B %Y");
}

} // namespace SendingProfile
