#pragma once

#include "autofill/SubmissionJudge.h"
#include "profiles/SubmissionEntry.h"

#include <cstdint>
#include <optional>
#include <string>

// What a confirmed submission changes. The main window applies it: it adds the
// entry (and counts one more directory sent to), and marks the directory's row.
struct SubmissionOutcome {
    // The entry to add; none when the profile has one for the directory already.
    std::optional<SendingProfile::SubmissionEntry> newEntry;
    std::string date; // today, as the row and the entry show it
    std::optional<std::uint32_t> rowColor; // none when the profile colours the row itself

    bool operator==(const SubmissionOutcome&) const = default;
};

// What the check of the answer to a submitted form found.
struct SubmissionCheck {
    SubmissionVerdict verdict;
    std::optional<SubmissionOutcome> outcome; // what to record: present for a success only

    bool operator==(const SubmissionCheck&) const = default;
};

// How long the program waits for the answer to a submission that stays on its page.
inline constexpr int kAnswerWaitSeconds = 15;

// The verdict on a submission that got no answer in time.
SubmissionVerdict unansweredVerdict();

// The status line after a check: "Submission recorded", or "Not recorded: the
// page says "…"" with the sentence that decided it, or with the reason where
// no sentence did.
std::string submissionStatusText(const SubmissionVerdict& verdict);
