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

const char* lessonStateName(DirectoryLesson::Outcome outcome)
{
    switch (outcome) {
    case DirectoryLesson::Outcome::Learned:
        return "learned";
    case DirectoryLesson::Outcome::NeedsAccount:
        return "needs-account";
    case DirectoryLesson::Outcome::PaidOnly:
        return "paid-only";
    case DirectoryLesson::Outcome::NoForm:
        return "no-submission-page";
    case DirectoryLesson::Outcome::Unreachable:
        return "unreachable";
    case DirectoryLesson::Outcome::Cancelled:
        break;
    }
    return "cancelled";
}

std::optional<SendingProfile::DirectoryStatus> lessonStatus(const DirectoryLesson& lesson)
{
    using SendingProfile::DirectoryState;
    switch (lesson.outcome) {
    case DirectoryLesson::Outcome::NeedsAccount:
        return SendingProfile::DirectoryStatus { DirectoryState::NeedsAccount, {}, lesson.signInUrl,
            lesson.signInUrl };
    case DirectoryLesson::Outcome::PaidOnly:
        return SendingProfile::DirectoryStatus { DirectoryState::PaidOnly, {}, lesson.reason,
            lesson.submitUrl };
    case DirectoryLesson::Outcome::NoForm:
        return SendingProfile::DirectoryStatus { DirectoryState::NoForm, {}, lesson.reason, {} };
    default:
        return std::nullopt;
    }
}

DirectoryLesson DirectoryLearner::learn(const std::string& address, const std::atomic<bool>* cancel) const
{
    DiscoveredPage found = m_finder.find(address, cancel);
    DirectoryLesson lesson;
    lesson.title = std::move(found.title);
    lesson.reason = std::move(found.reason);
    lesson.fetched = std::move(found.fetched);
    lesson.rendered = std::move(found.rendered);
    switch (found.outcome) {
    case DiscoveredPage::Outcome::Found:
        break;
    case DiscoveredPage::Outcome::NeedsAccount:
        lesson.outcome = DirectoryLesson::Outcome::NeedsAccount;
        lesson.submitUrl = std::move(found.address);
        lesson.signInUrl = std::move(found.signInUrl);
        return lesson;
    case DiscoveredPage::Outcome::PaidOnly:
        lesson.outcome = DirectoryLesson::Outcome::PaidOnly;
        lesson.submitUrl = std::move(found.address);
        return lesson;
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
    // A form whose fields no item can name is still the submission form: the
    // filling recognises its fields whenever the page is shown.
    LearnedForm form = learnSubmissionForm(found.page, m_recognizer);
    lesson.outcome = DirectoryLesson::Outcome::Learned;
    lesson.submitUrl = std::move(found.address);
    lesson.items = std::move(form.items);
    return lesson;
}
