#include "FillingTestSupport.h"

#include "filling/PageAnswer.h"
#include "filling/ReciprocalButton.h"
#include "profiles/SubmissionDate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kNoReciprocalField =
    "The reciprocal link was added to your site but Vantelo was unable to detect the appropriate field for "
    "the reciprocal URL on this page. The reciprocal URL was copied to the clipboard for you to paste it in "
    "the appropriate place before submitting.";

TEST(FillPageTest, AnIndexPicksTheFieldAmongThoseOfItsName)
{
    FillingBench bench;
    bench.openDirectory("Dir", { item("url", ControlType::Edit, 1, "#url#") });
    FormDocumentModel page({ input("url"), input("url") });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    EXPECT_EQ(page.value(0), "");
    EXPECT_EQ(page.value(1), "http://www.site.example/");
}

TEST(FillPageTest, ATextAreaFoundFirstIsWrittenOnce)
{
    FillingBench bench;
    bench.openDirectory("Dir", { item("desc", ControlType::Edit, 0, "#desc#") });
    FormDocumentModel page({ textArea("desc", "old") });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    EXPECT_THAT(writesOf(page), ElementsAre("desc=Site description"));
}

TEST(FillPageTest, OnlyTheExactWordTrueTicksACheckBox)
{
    const struct {
        const char* value;
        bool checked;
    } cases[] = { { "true", true }, { "True", false }, { "TRUE", false }, { "1", false }, { "", false },
        { "#fname#", true } };
    for (const auto& c : cases) {
        FillingBench bench;
        bench.profile.fname = "true";
        bench.openDirectory("Dir", { item("agree", ControlType::Checkbox, 0, c.value) });
        FormDocumentModel page({ input("agree", "checkbox") });
        page.setChecked(0, !c.checked);
        bench.filler.fillPage(page, bench.profile, bench.tab);
        EXPECT_EQ(page.checked(0), c.checked) << c.value;
    }
}

TEST(FillPageTest, ItemsOfTheDirectoryComeBeforeTheGeneralOnes)
{
    FillingBench bench;
    bench.setGeneralItems(
        { item("email", ControlType::Edit, 0, "#email#"), item("title", ControlType::Edit, 0, "general") });
    bench.openDirectory("Dir",
        { item("title", ControlType::Edit, 0, "#title#"), item("cat", ControlType::Select, 0, "x"),
            item("link", ControlType::Reciprocal, 0, "x"), item("missing", ControlType::Edit, 0, "x") });
    FormDocumentModel page({ input("title"), input("email"), dropDown("cat", { "x" }), input("link") });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    // Inputs are written by the lookup among all elements and again among the inputs.
    EXPECT_THAT(writesOf(page),
        ElementsAre("title=Site Title", "title=Site Title", "email=owner@site.example",
            "email=owner@site.example", "title=general", "title=general"));

    bench.tab.directoryName = "Not in the database";
    FormDocumentModel generalOnly({ input("email", "text") });
    bench.filler.fillPage(generalOnly, bench.profile, bench.tab);
    EXPECT_EQ(generalOnly.value(0), "owner@site.example");
    EXPECT_TRUE(bench.messages.empty());
}

TEST(FillPageTest, AnItemFoundOnlyAmongItsTagGetsTheExpandedValueAndOneDraw)
{
    FillingBench bench;
    bench.profile.titles = { "First", "Second" };
    bench.random.queue({ 1, 0 });
    bench.openDirectory("Dir", { item("title", ControlType::Edit, 0, "#title# site") });
    // The label holds the id "title" first, so the input is found by the later lookups.
    FormDocumentModel page({ otherElement("label", "title"), input("title") });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    EXPECT_THAT(writesOf(page), ElementsAre("title=Second site"));
    EXPECT_EQ(bench.random.draws(), 1);
    EXPECT_EQ(bench.tab.picks.title, "Second");
}

TEST(FillPageTest, TheAutomaticReciprocalMethodSkipsOnlyTheBareReciprocalToken)
{
    FillingBench bench;
    bench.profile.reciprocal = "http://www.site.example/links.html";
    bench.openDirectory("Dir",
        { item("recip", ControlType::Edit, 0, "#reciprocal#"),
            item("note", ControlType::Edit, 0, "see #reciprocal#") });
    for (const int method : { SendingProfile::kReciprocalManual, SendingProfile::kReciprocalAutomatic }) {
        bench.profile.reciprocalMethod = method;
        FormDocumentModel page({ textArea("recip", "keep"), textArea("note") });
        bench.filler.fillPage(page, bench.profile, bench.tab);
        const bool automatic = method == SendingProfile::kReciprocalAutomatic;
        EXPECT_EQ(page.value(0), automatic ? "keep" : "http://www.site.example/links.html");
        EXPECT_EQ(page.value(1), automatic ? "see " : "see http://www.site.example/links.html");
    }
}

TEST(FillPageTest, ReadsTheReciprocalCodeAndWatchesTheFormWrittenInto)
{
    FillingBench bench;
    bench.tab.picks = { "old", "old", "old" };
    bench.openDirectory("Dir",
        { item("code", ControlType::ReciprocalText, 0), item("code2", ControlType::ReciprocalText, 0),
            item("url", ControlType::Edit, 0, "#url#") });
    FormDocumentModel page({ textArea("code", "<a href=\"http://dir.example\">Dir</a>"),
        input("code2", "text", "in input"), inForm(input("url"), 0) });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    EXPECT_TRUE(bench.tab.reciprocalCodeFound);
    EXPECT_EQ(bench.tab.reciprocalCode, "in input");
    EXPECT_EQ(bench.tab.picks, PickSlots {});
    EXPECT_THAT(writesOf(page), ElementsAre("url=http://www.site.example/", "url=http://www.site.example/"));

    // Only a submission of a page the fill wrote into is followed up.
    bench.tab.formSubmitted();
    bench.tab.navigationStarted();
    EXPECT_TRUE(bench.tab.takeSubmitted());
    EXPECT_FALSE(bench.tab.takeSubmitted());
    EXPECT_FALSE(bench.tab.reciprocalCodeFound);
    EXPECT_EQ(bench.tab.reciprocalCode, "uninit");
    bench.tab.formSubmitted();
    EXPECT_FALSE(bench.tab.takeSubmitted());
}

TEST(ReadReciprocalCodeTest, FindsWhatTheFillFindsWithTheFieldsCurrentText)
{
    const std::vector<std::vector<FormElement>> pages {
        { textArea("code", "<a href=\"http://dir.example\">Dir</a>") },
        { input("code", "text", "<a href=\"http://dir.example\">Dir</a>") },
        { input("code", "text", "an input"), textArea("code", "the text area") },
        { textArea("code2", "the second item's") },
        { input("other", "text", "no code here") },
    };
    for (const std::vector<FormElement>& elements : pages) {
        FillingBench bench;
        bench.openDirectory("Dir",
            { item("code", ControlType::ReciprocalText, 0), item("code2", ControlType::ReciprocalText, 0) });
        FormDocumentModel page(elements);
        bench.filler.fillPage(page, bench.profile, bench.tab);
        const TabFillState filled = bench.tab;
        SCOPED_TRACE(filled.reciprocalCode);
        EXPECT_EQ(bench.filler.readReciprocalCode(page, bench.tab), filled.reciprocalCodeFound);
        EXPECT_EQ(bench.tab.reciprocalCode, filled.reciprocalCode);

        // The page's own script puts another code in the field after the fill.
        for (ElementHandle element = 0; element < elements.size(); ++element) {
            if (page.value(element) == filled.reciprocalCode)
                page.setValue(element, "<script>changed</script>");
        }
        EXPECT_EQ(bench.filler.readReciprocalCode(page, bench.tab), filled.reciprocalCodeFound);
        EXPECT_EQ(bench.tab.reciprocalCode,
            filled.reciprocalCodeFound ? "<script>changed</script>" : kNoReciprocalCode);
    }
}

TEST(FillReciprocalUrlTest, FillsEveryReciprocalInput)
{
    FillingBench bench;
    bench.openDirectory(
        "Dir", { item("link", ControlType::Reciprocal, 0), item("link", ControlType::Reciprocal, 1) });
    FormDocumentModel page({ input("link"), input("link") });
    EXPECT_EQ(bench.filler.fillReciprocalUrl(page, bench.tab, "http://www.site.example/links.html"), 2);
    EXPECT_THAT(writesOf(page),
        ElementsAre("link=http://www.site.example/links.html", "link=http://www.site.example/links.html"));
    EXPECT_TRUE(bench.messages.empty());
    EXPECT_THAT(bench.clipboard.texts, IsEmpty());
}

TEST(FillReciprocalUrlTest, WithoutAnInputTheUrlGoesToTheClipboard)
{
    FillingBench bench;
    bench.openDirectory("Dir", { item("link", ControlType::Reciprocal, 0) });
    FormDocumentModel page({ textArea("link") });
    EXPECT_EQ(bench.filler.fillReciprocalUrl(page, bench.tab, "http://www.site.example/links.html"), 0);
    EXPECT_THAT(writesOf(page), IsEmpty());
    EXPECT_THAT(bench.clipboard.texts, ElementsAre("http://www.site.example/links.html"));
    EXPECT_THAT(
        bench.messages.messages(), ElementsAre(shown(kNoReciprocalField, "Vantelo", MessageIcon::Warning)));
}

// A directory "Dir" whose confirmation page says "Thank you", opened in the tab
// after a fill that drew the tab's picks.
struct SubmittedTab : FillingBench {
    SubmittedTab()
    {
        loadDatabase(R"(<directory name="Dir" submiturl="http://dir.example/add.php" onsubmit="Thank you">
            <item name="title" type="edit" index="0" value="#title#"/></directory>
            <directory name="Open" submiturl="http://open.example/add"/>)");
        tab.directoryName = "Dir";
        tab.picks = { "Picked title", "Picked description", "Picked keywords" };
    }

    FormDocumentModel page(const std::string& source)
    {
        FormDocumentModel model({ input("title") });
        model.setSource(source);
        return model;
    }
};

TEST(CheckSubmissionResultTest, AConfirmedSubmissionGivesTheEntryDateAndColour)
{
    SubmittedTab bench;
    const std::optional<SubmissionOutcome> outcome =
        bench.filler.checkSubmissionResult(bench.page("<p>Thank you!</p>"), bench.profile, bench.tab);
    ASSERT_TRUE(outcome.has_value());
    const std::string today = SendingProfile::submissionDate(bench.clock);
    EXPECT_EQ(outcome->newEntry,
        (SendingProfile::SubmissionEntry { "Dir", "http://dir.example/add.php", "Picked title",
            "Picked description", "Picked keywords", today }));
    EXPECT_EQ(outcome->date, today);
    EXPECT_EQ(outcome->rowColor, 0x0009771Au);
    EXPECT_TRUE(bench.messages.empty());
}

TEST(CheckSubmissionResultTest, WhatAPageWithoutTheTextOrAnEarlierEntryGives)
{
    SubmittedTab bench;
    EXPECT_FALSE(
        bench.filler.checkSubmissionResult(bench.page("<p>thank you</p>"), bench.profile, bench.tab));

    bench.profiles.AddSubmission("Site", "Dir", "http://dir.example/add.php", "t", "k", "d", "01 May 2020");
    bench.profiles.SetCustomColor("Site", "Dir", 0x123456);
    const auto again = bench.filler.checkSubmissionResult(bench.page("Thank you"), bench.profile, bench.tab);
    ASSERT_TRUE(again.has_value());
    EXPECT_FALSE(again->newEntry.has_value());
    EXPECT_FALSE(again->rowColor.has_value());

    // A directory without a confirmation text no longer takes any page after a
    // submission: its answer is judged by what it says, and a source says nothing.
    bench.tab.directoryName = "Open";
    EXPECT_FALSE(bench.filler.checkSubmissionResult(bench.page("anything"), bench.profile, bench.tab));

    // A page that is no directory's records nothing, even with an empty text.
    bench.tab.directoryName = "";
    EXPECT_FALSE(bench.filler.checkSubmissionResult(bench.page("Thank you"), bench.profile, bench.tab));
    EXPECT_TRUE(bench.messages.empty());
}

TEST(CheckSubmissionResultTest, APageWithoutSourceIsReported)
{
    SubmittedTab bench;
    EXPECT_FALSE(bench.filler.checkSubmissionResult(FormDocumentModel {}, bench.profile, bench.tab));
    EXPECT_THAT(
        bench.messages.messages(), ElementsAre(shown("failed to get size", "Vantelo", MessageIcon::Warning)));
}

TEST(CheckSubmissionResultTest, ACompletedLoadChecksWithThePicksOfTheSubmittedPageThenFills)
{
    SubmittedTab bench;
    FormDocumentModel page = bench.page("Thank you");
    const auto outcome = bench.filler.handleCompletedLoad(page, bench.profile, bench.tab, true);
    ASSERT_TRUE(outcome && outcome->newEntry);
    EXPECT_EQ(outcome->newEntry->title, "Picked title");
    EXPECT_EQ(bench.tab.picks.title, "Site Title");
    EXPECT_EQ(page.value(0), "Site Title");

    EXPECT_FALSE(bench.filler.handleCompletedLoad(page, bench.profile, bench.tab, false));
}

TEST(CheckSubmissionTest, EachDirectoryIsCheckedByItsRuleAndOnlyASuccessRecords)
{
    using Outcome = SubmissionVerdict::Outcome;
    SubmittedTab bench;
    const auto page = [](std::optional<std::string> source, std::vector<AnswerText> texts) {
        PageAnswer answer;
        answer.token = "answer";
        answer.source = std::move(source);
        answer.answer.texts = std::move(texts);
        return answer;
    };
    const auto message = [](std::vector<AnswerText> texts) {
        PageAnswer answer;
        answer.token = "form";
        answer.message = true;
        answer.answer.texts = std::move(texts);
        return answer;
    };
    const AnswerText thanks { AnswerTextKind::Heading, "Thanks, your site has been submitted." };
    const AnswerText listed { AnswerTextKind::Message, "This site is already listed." };
    const struct {
        const char* what;
        const char* directory;
        PageAnswer answer;
        Outcome outcome;
        std::string status;
    } cases[] = {
        { "confirmation text in the source", "Dir", page("<p>Thank you</p>", {}), Outcome::Success,
            "Submission recorded" },
        // The directory's own rule stands even where the judge would call it a success.
        { "a page without the confirmation text", "Dir", page("<p>Thanks!</p>", { thanks }),
            Outcome::Undecided, "Not recorded: the page does not show the directory's confirmation text" },
        { "confirmation text in a message", "Dir", message({ { AnswerTextKind::Text, "Thank you, saved." } }),
            Outcome::Success, "Submission recorded" },
        { "a message without it", "Dir", message({ thanks }), Outcome::Undecided,
            "Not recorded: the page does not show the directory's confirmation text" },
        { "a judged success", "Open", page("<p>x</p>", { thanks }), Outcome::Success, "Submission recorded" },
        { "a judged failure", "Open", page("<p>x</p>", { thanks, listed }), Outcome::Failure,
            "Not recorded: the page says \"This site is already listed.\"" },
        { "a judged message", "Open", message({ listed }), Outcome::Failure,
            "Not recorded: the page says \"This site is already listed.\"" },
        { "a page that says nothing", "Open", page("<p>x</p>", {}), Outcome::Undecided,
            "Not recorded: the page says neither that the submission succeeded nor that it failed" },
        { "a page that could not be read", "Open", PageAnswer {}, Outcome::Undecided,
            "Not recorded: the page could not be read" },
        { "no directory", "", page("<p>Thank you</p>", { thanks }), Outcome::Undecided,
            "Not recorded: the page belongs to no directory" },
    };
    for (const auto& c : cases) {
        bench.tab.directoryName = c.directory;
        const SubmissionCheck check = bench.filler.checkSubmission(c.answer, bench.profile, bench.tab);
        EXPECT_EQ(check.verdict.outcome, c.outcome) << c.what;
        EXPECT_EQ(check.outcome.has_value(), c.outcome == Outcome::Success) << c.what;
        if (check.outcome) {
            ASSERT_TRUE(check.outcome->newEntry.has_value()) << c.what;
            EXPECT_EQ(check.outcome->newEntry->title, "Picked title") << c.what;
        }
        EXPECT_EQ(submissionStatusText(check.verdict), c.status) << c.what;
    }
    EXPECT_TRUE(bench.messages.empty());

    // A page of a directory with a confirmation text that gives no source is reported as before.
    bench.tab.directoryName = "Dir";
    EXPECT_FALSE(
        bench.filler.checkSubmission(page(std::nullopt, { thanks }), bench.profile, bench.tab).outcome);
    EXPECT_THAT(
        bench.messages.messages(), ElementsAre(shown("failed to get size", "Vantelo", MessageIcon::Warning)));
    EXPECT_EQ(submissionStatusText(unansweredVerdict()), "Not recorded: no answer within 15 seconds");
}

TEST(SentRowTextTest, CutsAtTheFirstBracketAndAppendsSent)
{
    EXPECT_EQ(sentRowText("Dir (PR 5)"), "Dir (PR 5) [sent]");
    EXPECT_EQ(sentRowText("Dir [new] [x]"), "Dir [sent]");
    EXPECT_EQ(sentRowText("Dir[x]"), "Dir[x] [sent]");
}

TEST(ReciprocalButtonTest, FollowsTheMethodAndTheCurrentTabsCode)
{
    SendingProfile::SiteProfile profile;
    TabFillState withCode;
    withCode.reciprocalCodeFound = true;
    const TabFillState withoutCode;
    const struct {
        int method;
        const TabFillState* tab;
        bool enabled;
        const char* tip;
    } cases[] = {
        { 0, &withCode, false, "Automatic reciprocal management is disabled for the current profile" },
        { 1, &withCode, true, "Add a reciprocal link to this directory" },
        { 1, &withoutCode, false, "No reciprocal field was detected for this page" },
        { 1, nullptr, false, "No reciprocal field was detected for this page" },
    };
    for (const auto& c : cases) {
        profile.reciprocalMethod = c.method;
        EXPECT_EQ(reciprocalButtonEnabled(profile, c.tab), c.enabled) << c.tip;
        EXPECT_EQ(reciprocalButtonToolTip(profile, c.tab), c.tip);
    }
}

} // namespace
