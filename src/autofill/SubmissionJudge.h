#pragma once

#include "autofill/PhraseMatcher.h"

#include <string>
#include <vector>

class FormWords;

// How prominently an answer shows a text.
enum class AnswerTextKind {
    Message, // an alert or status region, or an element the page marks as a message
    Heading, // a heading, or the page's title
    Text, // any other text a person reads
};

// One block of text of an answer, as a person reads it.
struct AnswerText {
    AnswerTextKind kind = AnswerTextKind::Text;
    std::string text;

    bool operator==(const AnswerText&) const = default;
};

// A text field that a page shows, with what it holds.
struct AnswerField {
    std::string name; // its name, or its id where it has none
    std::string value;
    int form = -1; // position of its form on the page; -1 outside any form

    bool operator==(const AnswerField&) const = default;
};

// What answered a submitted form: the page that followed it, or what appeared
// on the form's own page after a scripted submission.
struct SubmissionAnswer {
    std::vector<AnswerText> texts; // in page order
    std::vector<AnswerField> fields; // the text fields a person can see and change, holding something

    bool operator==(const SubmissionAnswer&) const = default;
};

// The form as it was submitted.
struct SubmittedForm {
    std::vector<AnswerField> fields; // its text fields that held something
    std::vector<std::string> pageTexts; // what its page showed then: no news in the answer

    bool operator==(const SubmittedForm&) const = default;
};

// What the judge made of an answer.
struct SubmissionVerdict {
    enum class Outcome {
        Success, // the answer says the submission was taken
        Failure, // the answer says it was not (failure wins over success)
        Undecided, // the answer says neither
    };
    Outcome outcome = Outcome::Undecided;
    std::string evidence; // the sentence that decided it; empty when no sentence did
    std::string reason; // why, in a few words

    bool operator==(const SubmissionVerdict&) const = default;
};

// Decides from the answer to a submitted form whether the submission
// succeeded: by the success and failure phrases of the word lists (sections
// "outcome.success" and "outcome.failure") in what the answer newly shows,
// and by its shape: the same form shown again with the values kept is a
// failure. Messages count before headings, headings before other text; within
// them a failure wins over a success. Only the news counts: a sentence the
// form's page already showed (the site's menus, rules and footers) says nothing
// about this submission.
class SubmissionJudge {
public:
    explicit SubmissionJudge(const FormWords& words);
    // The judge of the shipped word lists.
    static const SubmissionJudge& shipped();

    SubmissionVerdict judge(const SubmissionAnswer& answer, const SubmittedForm& submitted) const;

private:
    PhraseMatcher m_phrases;
};

// The sentences of a text: split after ".", "!" or "?" before a space, and at
// line breaks; trimmed, empty ones left out.
std::vector<std::string> answerSentences(const std::string& text);

// Why a verdict was given, as the judge words it.
inline constexpr const char* kSucceededReason = "the page says the submission succeeded";
inline constexpr const char* kFailedReason = "the page says the submission failed";
inline constexpr const char* kFormAgainReason =
    "the page shows the submission form again with the values kept";
inline constexpr const char* kUndecidedReason =
    "the page says neither that the submission succeeded nor that it failed";
