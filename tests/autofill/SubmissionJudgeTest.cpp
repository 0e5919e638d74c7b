#include "autofill/SubmissionJudge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

using Outcome = SubmissionVerdict::Outcome;

AnswerText message(const std::string& text)
{
    return { AnswerTextKind::Message, text };
}

AnswerText heading(const std::string& text)
{
    return { AnswerTextKind::Heading, text };
}

AnswerText text(const std::string& text)
{
    return { AnswerTextKind::Text, text };
}

// What the submitted form held, and what its page showed then.
const SubmittedForm kSubmitted { { { "title", "Widgets by My Site", 0 },
                                     { "url", "http://www.mysite.example/", 0 },
                                     { "desc", "Widgets of every kind.", 0 } },
    { "Add your site - Widget Links", "Add your site",
        "Sites with invalid addresses are rejected. Thank you for choosing Widget Links!" } };

// The form shown again: each field named and holding what was submitted, or not.
std::vector<AnswerField> formAgain(bool kept)
{
    return { { "title", kept ? "Widgets by My Site" : "", 0 },
        { "url", kept ? "http://www.mysite.example/" : "", 0 },
        { "desc", kept ? " Widgets of every kind. " : "", 0 }, { "q", "widgets", 1 } };
}

TEST(SubmissionJudgeTest, ThePageSaysWhatHappenedOrShowsTheFormAgain)
{
    const std::string longRules =
        "We list sites by hand and our editors look at every one of them, which takes time; "
        "please understand that sites in the wrong category, sites with broken links and sites "
        "that copy others are rejected without notice, and that rejected sites may be submitted "
        "again after they were changed, at most once a month, which keeps the queue short.";
    const struct {
        const char* what;
        std::vector<AnswerText> texts;
        std::vector<AnswerField> fields;
        Outcome outcome;
        std::string evidence;
    } cases[] = {
        { "English success",
            { heading("Thank you!"), text("Your site has been submitted and awaits approval.") }, {},
            Outcome::Success, "Thank you!" },
        { "German success", { heading("Eintragen"), text("Vielen Dank! Ihr Eintrag wurde gespeichert.") }, {},
            Outcome::Success, "Vielen Dank!" },
        { "French success", { text("Merci ! Votre site a été soumis et sera examiné.") }, {},
            Outcome::Success, "Merci !" },
        { "captcha error with the form again", { text("The security code you entered is incorrect.") },
            formAgain(true), Outcome::Failure, "The security code you entered is incorrect." },
        { "the form again says nothing we know", { heading("Add your site"), text("Code: 17") },
            formAgain(true), Outcome::Failure, "" },
        { "an empty form again after a success", { text("Thank you. Submit another site below.") },
            formAgain(false), Outcome::Success, "Thank you." },
        { "invalid address", { message("Please enter a valid URL.") }, {}, Outcome::Failure,
            "Please enter a valid URL." },
        { "duplicate", { text("This site is already listed in our directory.") }, {}, Outcome::Failure,
            "This site is already listed in our directory." },
        { "failure wins in the same text",
            { text("Thank you for your submission. Unfortunately your site already exists here.") }, {},
            Outcome::Failure, "Unfortunately your site already exists here." },
        { "a message outweighs the rules below it",
            { message("Your link has been submitted."), text("Links to invalid pages will be rejected.") },
            {}, Outcome::Success, "Your link has been submitted." },
        { "an error message outweighs a heading",
            { heading("Thank you"), message("Error: the URL could not be reached") }, {}, Outcome::Failure,
            "Error: the URL could not be reached" },
        { "neither", { heading("Welcome to Widget Links"), text("Browse our categories.") }, {},
            Outcome::Undecided, "" },
        { "what the form's page said already is no answer",
            { heading("Add your site"), text("Sites with invalid addresses are rejected."),
                text("Thank you for choosing Widget Links!"), text("Your site was received.") },
            {}, Outcome::Undecided, "" },
        { "long prose is no message", { text("Thank you."), text(longRules) }, {}, Outcome::Success,
            "Thank you." },
        { "a German compound", { message("Eingabefehler im Feld Adresse") }, {}, Outcome::Failure,
            "Eingabefehler im Feld Adresse" },
        { "Spanish duplicate", { text("Ya existe este sitio en nuestro directorio.") }, {}, Outcome::Failure,
            "Ya existe este sitio en nuestro directorio." },
        { "Italian success", { text("Grazie, il sito è in attesa di approvazione.") }, {}, Outcome::Success,
            "Grazie, il sito è in attesa di approvazione." },
        { "Portuguese error", { message("Erro: código inválido") }, {}, Outcome::Failure,
            "Erro: código inválido" },
        { "Dutch success", { heading("Bedankt!"), text("Uw site wacht op goedkeuring.") }, {},
            Outcome::Success, "Bedankt!" },
        { "Polish success", { text("Dziękujemy, strona została dodana.") }, {}, Outcome::Success,
            "Dziękujemy, strona została dodana." },
        { "Russian error", { message("Ошибка: неверный код.") }, {}, Outcome::Failure,
            "Ошибка: неверный код." },
        { "a short thanks and a queue", { heading("Thanks!"), text("Your link is now pending.") }, {},
            Outcome::Success, "Thanks!" },
        { "terms not accepted", { message("You must agree to the terms of submission.") }, {},
            Outcome::Failure, "You must agree to the terms of submission." },
        { "listed in the database",
            { text("The URL is already in our database."), text("Thank you anyway.") }, {}, Outcome::Failure,
            "The URL is already in our database." },
        { "a script left in the queue", { text("Your site was placed in the queue for our editors.") }, {},
            Outcome::Success, "Your site was placed in the queue for our editors." },
        { "German error with the form again", { text("Leider ist der Sicherheitscode fehlerhaft.") },
            formAgain(true), Outcome::Failure, "Leider ist der Sicherheitscode fehlerhaft." },
        { "French duplicate", { message("Ce site est déjà présent dans notre annuaire.") }, {},
            Outcome::Failure, "Ce site est déjà présent dans notre annuaire." },
        { "nothing at all", {}, {}, Outcome::Undecided, "" },
    };
    for (const auto& c : cases) {
        const SubmissionVerdict verdict = SubmissionJudge::shipped().judge({ c.texts, c.fields }, kSubmitted);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.what;
        EXPECT_EQ(verdict.evidence, c.evidence) << c.what;
        EXPECT_FALSE(verdict.reason.empty()) << c.what;
    }
}

TEST(SubmissionJudgeTest, TheReasonSaysWhatDecidedAndLongEvidenceIsCut)
{
    const SubmissionJudge& judge = SubmissionJudge::shipped();
    EXPECT_EQ(judge.judge({ { heading("Thank you") }, {} }, {}).reason, kSucceededReason);
    EXPECT_EQ(judge.judge({ { heading("Error") }, {} }, {}).reason, kFailedReason);
    EXPECT_EQ(judge.judge({ {}, formAgain(true) }, kSubmitted).reason, kFormAgainReason);
    EXPECT_EQ(judge.judge({ {}, formAgain(true) }, kSubmitted).outcome, Outcome::Failure);
    EXPECT_EQ(judge.judge({ { heading("Hello") }, {} }, {}).reason, kUndecidedReason);

    // One kept field of three is no form shown again.
    std::vector<AnswerField> oneKept = formAgain(false);
    oneKept[0].value = "Widgets by My Site";
    EXPECT_EQ(judge.judge({ {}, oneKept }, kSubmitted).outcome, Outcome::Undecided);

    const SubmissionVerdict cut =
        judge.judge({ { message("Error " + std::string(300, 'x') + "\xC3\xA9") }, {} }, {});
    EXPECT_EQ(cut.evidence, "Error " + std::string(194, 'x') + "\xE2\x80\xA6");
}

TEST(SubmissionJudgeTest, SentencesEndAtStopsBeforeASpaceAndAtLineBreaks)
{
    EXPECT_THAT(answerSentences("Thank you! Your site... see www.example.com. Done?\nNext line\r\n  "),
        ElementsAre("Thank you!", "Your site...", "see www.example.com.", "Done?", "Next line"));
    EXPECT_THAT(answerSentences(" \n "), ElementsAre());
}

} // namespace
