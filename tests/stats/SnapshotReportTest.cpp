#include "stats/SnapshotReport.h"

#include "stats/CSEOData.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kVendor = "http://www.vantelo.example/";

SnapshotFindings plainFindings()
{
    SnapshotFindings findings;
    findings.siteUrl = "http://www.example.com";
    findings.date = "05 March 2021";
    return findings;
}

// The text between the header and the footer.
std::string body(const std::string& report)
{
    const std::string lineEnd = "for http://www.example.com</div>";
    const std::size_t start = report.find(lineEnd);
    const std::size_t end = report.find("</div><div class=\"bottombar\">");
    EXPECT_NE(start, std::string::npos);
    EXPECT_NE(end, std::string::npos);
    return report.substr(start + lineEnd.size(), end - start - lineEnd.size());
}

TEST(SnapshotReportTest, WithoutSectionsOnlyHeaderDateLineAndFooter)
{
    const std::string report = buildSnapshotReport(plainFindings(), kVendor);
    EXPECT_EQ(report.rfind("<html><head><title>Snapshot for http://www.example.com - 05 March 2021</title>"
                           "<link rel=\"stylesheet\" type=\"text/css\" href=\"template/style/style.css\" />"
                           "<style type=\"text/css\">html, body {margin: 0; padding: 0;\t}\tbody {",
                  0),
        0u);
    const std::string tail =
        "  .toptable {\t  font-size: 1.5em;\t  margin-top: 2px;\t  margin-bottom: 5px;height: 100%;"
        "width: 100%;  }</style></head><body>"
        "<div class=\"contents\">\t\t<div class=\"topbg\">\t\t<table class=\"toptable\"><tr><td>"
        "http://www.example.com - Snapshot\t\t</td></tr></table>\t\t</div>"
        "<div class=\"justtext\">Snapshot taken on 05 March 2021 for http://www.example.com</div>"
        "</div><div class=\"bottombar\">\t\tCreated with the help of "
        "<a href=\"http://www.vantelo.example/\">Vantelo</a>\t\t</div></body></html>";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
    EXPECT_EQ(body(report), "");
}

TEST(SnapshotReportTest, GeneralFiguresInReportOrder)
{
    SnapshotFindings findings = plainFindings();
    findings.includeGeneral = true;
    findings.figures = { 4, -1, 1230, 56, 78, 9 };
    EXPECT_EQ(body(buildSnapshotReport(findings, kVendor)),
        "<div class=\"justtext\">General site stats:</div><table width=\"70%\" cellspacing=\"10\">"
        "<tr><td class=\"maintable\">Google PR</td><td>4</td></tr>"
        "<tr><td class=\"maintable\">Google Homepage PR</td><td>n/a</td></tr>"
        "<tr><td class=\"maintable\">Google Inbound Links</td><td>1230</td></tr>"
        "<tr><td class=\"maintable\">Google Index</td><td>56</td></tr>"
        "<tr><td class=\"maintable\">Yahoo Inbound Link</td><td>78</td></tr>"
        "<tr><td class=\"maintable\">Yahoo Index</td><td>9</td></tr></table>");
}

TEST(SnapshotReportTest, FiguresWithoutAnAnswerShowNotAvailable)
{
    SnapshotFindings findings = plainFindings();
    findings.includeGeneral = true;
    findings.includeSerp = true;
    findings.figures = { 4, CSEOData::kNotAvailable, 0, 0, 0, 0 };
    findings.phrases = { "shoes" };
    findings.googlePositions = { CSEOData::kNotAvailable };
    findings.yahooPositions = { 0 };
    const std::string report = body(buildSnapshotReport(findings, kVendor));
    EXPECT_NE(report.find("Google Homepage PR</td><td>n/a</td>"), std::string::npos) << report;
    EXPECT_NE(report.find("shoes</td><td>n/a</td><td>not found</td>"), std::string::npos) << report;
}

TEST(SnapshotReportTest, PositionsWithNotFoundAndUnknown)
{
    SnapshotFindings findings = plainFindings();
    findings.includeSerp = true;
    findings.phrases = { "blue shoes", "<b>red</b> & \"green\"" };
    findings.googlePositions = { 105, 0 };
    findings.yahooPositions = { -1, 7 };
    EXPECT_EQ(body(buildSnapshotReport(findings, kVendor)),
        "<div class=\"justtext\">Search Engine Position:</div><table cellspacing=\"10\"><thead><tr>"
        "<th class=\"maintable\">Search Phrase</th><th>Google Position</th><th>Yahoo "
        "Position</th></tr></thead>"
        "<tr><td class=\"maintable\">blue shoes</td><td>105</td><td>unknown</td></tr>"
        "<tr><td class=\"maintable\">&lt;b&gt;red&lt;/b&gt; &amp; &quot;green&quot;</td><td>not found</td>"
        "<td>7</td></tr></table>");
}

TEST(SnapshotReportTest, ApprovalsWithEscapedNamesProofsAndListings)
{
    SnapshotFindings findings = plainFindings();
    findings.includeApproval = true;
    findings.submittedCount = 12;
    findings.foundNames = { "Joe's <Links>", "Listed" };
    findings.proofUrls = { "http://dir.example/index.php?search=www.example.com&q=www.example.com",
        "http://l/" };
    findings.listings["Listed"] = { SendingProfile::ListingState::Listed, "http://l/a?b&c", "http://l/go",
        "nofollow ugc", false, "Example", "2026-12-09" };
    EXPECT_EQ(body(buildSnapshotReport(findings, kVendor)),
        "<div class=\"justtext\">Directory Submission: submitted to 12 directories. Approval detected in 2 "
        "directories.</div><table cellspacing=\"10\"><thead><tr><th class=\"maintable\">Directory</th>"
        "<th>Approval proof URL</th><th>Listing page</th><th>Link</th></tr></thead>"
        "<tr><td class=\"maintable\">Joe&#39;s &lt;Links&gt;</td><td><a target=\"_blank\" "
        "href=\"http://dir.example/index.php?search=www.example.com&amp;q=www.example.com\">"
        "http://dir.example/index.php?search=www.example.com&amp;q=www.example.com</a></td><td></td><td></"
        "td></tr>"
        "<tr><td class=\"maintable\">Listed</td><td><a target=\"_blank\" "
        "href=\"http://l/\">http://l/</a></td>"
        "<td><a target=\"_blank\" href=\"http://l/a?b&amp;c\">http://l/a?b&amp;c</a></td>"
        "<td>nofollow ugc, through a redirect</td></tr></table>");
}

TEST(SnapshotReportTest, SiteAddressIsEscapedAndNonAsciiBecomesReferences)
{
    SnapshotFindings findings = plainFindings();
    findings.siteUrl = "http://caf\xC3\xA9.example/?a=1&b=\"2\"";
    findings.date = "05 M\xC3\xA4rz 2021";
    findings.includeSerp = true;
    findings.phrases = { "bad \xFF byte" };
    findings.googlePositions = { 1 };
    findings.yahooPositions = { 2 };
    const std::string report = buildSnapshotReport(findings, kVendor);
    EXPECT_NE(
        report.find("<title>Snapshot for http://caf&#xE9;.example/?a=1&amp;b=&quot;2&quot; - 05 M&#xE4;rz "
                    "2021</title>"),
        std::string::npos);
    EXPECT_NE(report.find("<td class=\"maintable\">bad &#xFFFD; byte</td>"), std::string::npos);
    for (const char c : report)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(report.find("\"2\""), std::string::npos);
}

TEST(SnapshotReportTest, SavingTellsHowItWent)
{
    TempFolder folder;
    RecordingMessageBox messages;
    EXPECT_TRUE(saveSnapshotReport(folder.path("snapshot.html"), "<html>report</html>", messages));
    EXPECT_EQ(folder.read("snapshot.html"), "<html>report</html>");
    EXPECT_FALSE(saveSnapshotReport(folder.path("missing/snapshot.html"), "<html>report</html>", messages));
    EXPECT_EQ(messages.messages(),
        (std::vector<RecordedMessage> {
            shown("Your snapshot was successfully saved.", "Vantelo", MessageIcon::Information),
            vanteloError("Unable to save to the desired file.") }));
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "snapshot.html" });
}

} // namespace
