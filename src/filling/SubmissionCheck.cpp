#include "filling/SubmissionCheck.h"

SubmissionVerdict unansweredVerdict()
{
    return { SubmissionVerdict::Outcome::Undecided, {},
        "no answer within " + std::to_string(kAnswerWaitSeconds) + " seconds" };
}

std::string submissionStatusText(const SubmissionVerdict& verdict)
{
    if (verdict.outcome == SubmissionVerdict::Outcome::Success)
        return "Submission recorded";
    if (!verdict.evidence.empty())
        return "Not recorded: the page says \"" + verdict.evidence + "\"";
    return "Not recorded: " + verdict.reason;
}
