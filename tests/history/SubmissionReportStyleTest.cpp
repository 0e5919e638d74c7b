#include "ExternalTools.h"
#include "HistoryTestData.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The shipped style sheet applied to a real export of the history profile.
std::string renderedHistory(const std::string& profilesText, const std::string& profile)
{
    TempFolder folder;
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    EXPECT_TRUE(profiles.Open(folder.write("sv.xml", profilesText)));
    EXPECT_TRUE(profiles.ExportProfile(profile, folder.path("report.xml"), "submission.xsl"));
    const ToolRun run = renderReport(shippedStyleSheet(), folder.path("report.xml"));
    EXPECT_EQ(run.code, 0);
    return run.out;
}

TEST(SubmissionReportStyleTest, TheReportListsEveryEntryWithItsTextsDateAndApproval)
{
    if (!canRenderReports())
        GTEST_SKIP() << "xsltproc is not installed (scripts/install-deps)";
    std::string profiles = historyProfilesText();
    const std::string listed = historyEntries().front().friendlyName;
    profiles.insert(profiles.find("</profile>"),
        "<listing directory=\"" + xmlEscaped(listed)
            + "\" state=\"listed\" page=\"http://dir.example/e?a&amp;b\" "
              "rel=\"ugc\"/>");
    const std::string html = renderedHistory(profiles, kHistoryProfile);
    EXPECT_THAT(html, HasSubstr("<th>Listing page</th>\n<th>Link</th>"));
    EXPECT_THAT(html, HasSubstr("<a href=\"http://dir.example/e?a&amp;b\">http://dir.example/e?a&amp;b</a>"));
    EXPECT_THAT(html, HasSubstr("<td>ugc</td>"));
    EXPECT_THAT(html, HasSubstr("<title>Submission report: My site.com v2</title>"));
    EXPECT_THAT(html, HasSubstr("Sent to 3 directories, approved in 1."));
    EXPECT_THAT(html, HasSubstr("<a href=\"http://my.example/\">http://my.example/</a>"));
    EXPECT_THAT(html, HasSubstr("me@my.example"));
    EXPECT_THAT(html, HasSubstr("Ann Lee"));
    for (const SendingProfile::SubmissionEntry& entry : historyEntries()) {
        EXPECT_THAT(html, HasSubstr("<td>" + xmlEscaped(entry.friendlyName) + "</td>"));
        EXPECT_THAT(html, HasSubstr("<td>" + entry.datetime + "</td>"));
    }
    EXPECT_THAT(html, HasSubstr("<td>Bob's \"best\" site</td>"));
    EXPECT_THAT(html, HasSubstr("<td>Fine &amp; &lt;cheap&gt;</td>"));
    EXPECT_THAT(html, HasSubstr("<a href=\"http://zeta.example/submit\">"));
    EXPECT_THAT(html, HasSubstr("<td class=\"approved\">yes</td>"));
    // A script address is shown, never made a link; the password is never shown.
    EXPECT_THAT(html, HasSubstr("<td>javascript:alert(1)</td>"));
    EXPECT_THAT(html, Not(HasSubstr("href=\"javascript")));
    EXPECT_THAT(html, Not(HasSubstr("secret")));
}

TEST(SubmissionReportStyleTest, AProfileWithoutEntriesSaysSo)
{
    if (!canRenderReports())
        GTEST_SKIP() << "xsltproc is not installed (scripts/install-deps)";
    const std::string html = renderedHistory(historyProfilesText(), "Other");
    EXPECT_THAT(html, HasSubstr("Sent to 0 directories"));
    EXPECT_THAT(html, HasSubstr("has not been sent to any directory yet"));
    EXPECT_THAT(html, Not(HasSubstr("<table")));
}

} // namespace
