#include "custom/DirectoryLearner.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/SubmissionLinkScorer.h"

DirectoryLearner::DirectoryLearner(DiscoveryLimits limits)
    : DirectoryLearner(FieldRecognizer::shipped(), SubmissionLinkScorer::shipped(), limits)
{
}

DirectoryLearner::DirectoryLearner(
    const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer, DiscoveryLimits limits)
    : m_recognizer(recognizer)
    , m_finder(recognizer, scorer, limits)
{
}

DirectoryLesson DirectoryLearner::learn(const std::string& address, const std::atomic<bool>* cancel) const
{
    DiscoveredPage found = m_finder.find(address, cancel);
    DirectoryLesson lesson;
    lesson.title = std::move(found.title);
    lesson.reason = std::move(found.reason);
    lesson.fetched = std::move(found.fetched);
    switch (found.outcome) {
    case DiscoveredPage::Outcome::Found:
        break;
    case DiscoveredPage::Outcome::NoForm:
        lesson.outcome = DirectoryLesson::Outcome::NoForm;
        return lesson;
    case DiscoveredPage::Outcome::Unreachable:
        lesson.outcome = DirectoryLesson::Outcome::Unreachable;
        return lesson;
    case DiscoveredPage::Outcome::Cancelled:
        lesson.outcome = DirectoryLesson::Outcome::Cancelled;
        return lesson;
    }
    LearnedForm form = learnSubmissionForm(found.page, m_recognizer);
    if (form.items.empty()) {
        lesson.outcome = DirectoryLesson::Outcome::NoForm;
        lesson.reason = "the submission form on " + found.address + " has no field a form item can name";
        return lesson;
    }
    lesson.outcome = DirectoryLesson::Outcome::Learned;
    lesson.submitUrl = std::move(found.address);
    lesson.items = std::move(form.items);
    return lesson;
}
