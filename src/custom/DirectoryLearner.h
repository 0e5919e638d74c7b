#pragma once

#include "custom/FormLearner.h"
#include "custom/SubmissionPageFinder.h"
#include "profiles/DirectoryState.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

class FieldRecognizer;
class SubmissionLinkScorer;

// What learning one directory gave.
struct DirectoryLesson {
    enum class Outcome {
        // Its submission page and the form's items; no items where no field has a
        // stable name, and the filling recognises the fields on each visit.
        Learned,
        NeedsAccount, // the submission form is behind a sign-in
        PaidOnly, // listings are sold, with no free form
        NoForm, // the site answered, but no submission form was found
        Unreachable, // the address did not answer with a web page
        Cancelled, // the caller's flag ended it
    };

    Outcome outcome = Outcome::NoForm;
    // The page holding the form; for a sign-in wall or a price list, the page the submit link led to.
    std::string submitUrl;
    std::string signInUrl; // NeedsAccount: where to sign in
    std::vector<LearnedItem> items;
    std::string title; // of the page the search started from
    std::string reason; // when nothing was learned: why, for a person to read
    std::vector<std::string> fetched; // the addresses fetched, in order
    std::vector<std::string> rendered; // the addresses loaded in the browser engine, in order
};

// The lesson's outcome as "learn --json" and the import name it: "learned",
// "needs-account", "paid-only", "no-submission-page", "unreachable", "cancelled".
const char* lessonStateName(DirectoryLesson::Outcome outcome);

// The state in the work-through table that a lesson sets, with its reason
// (the sign-in address for a directory that needs an account); nothing for a
// lesson that leaves the state alone (learned, unreachable, cancelled).
std::optional<SendingProfile::DirectoryStatus> lessonStatus(const DirectoryLesson& lesson);

// Learns a directory from any of its pages: finds its submission page and turns
// the page's submission form into form items. Safe to use from several threads.
class DirectoryLearner {
public:
    explicit DirectoryLearner(DiscoveryLimits limits = {});
    DirectoryLearner(
        const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer, DiscoveryLimits limits);

    DirectoryLesson learn(const std::string& address, const std::atomic<bool>* cancel = nullptr) const;

private:
    const FieldRecognizer& m_recognizer;
    SubmissionPageFinder m_finder;
};
