#pragma once

#include "custom/FormLearner.h"
#include "custom/SubmissionPageFinder.h"

#include <atomic>
#include <string>
#include <vector>

class FieldRecognizer;
class SubmissionLinkScorer;

// What learning one directory gave.
struct DirectoryLesson {
    enum class Outcome {
        Learned, // its submission page and the form's items
        NoForm, // the site answered, but no submission form was found
        Unreachable, // the address did not answer with a web page
        Cancelled, // the caller's flag ended it
    };

    Outcome outcome = Outcome::NoForm;
    std::string submitUrl; // the page holding the form
    std::vector<LearnedItem> items;
    std::string title; // of the page the search started from
    std::string reason; // when nothing was learned: why, for a person to read
    std::vector<std::string> fetched; // the addresses fetched, in order
};

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
