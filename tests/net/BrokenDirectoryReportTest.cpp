#include "net/BrokenDirectoryReport.h"

#include "LoopbackServer.h"
#include "RecordingWaitDialog.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

const std::string kHead = "subject=Vantelo+broken+directory+report&sender=reports%40vantelo.example&message=";

TEST(BrokenReportBodyTest, NoBoxAndNoComment)
{
    EXPECT_EQ(BrokenDirectoryReport::formBody("Best Directory [sent]", BrokenReportForm {}),
        kHead
            + "Best%20Directory%20%5Bsent%5D%0D%0AComment%3A+"
              "&directory=Best%20Directory%20%5Bsent%5D&reason=0&textreason=");
}

TEST(BrokenReportBodyTest, AllBoxesGiveReasonSevenAndTheLinesInFixedOrder)
{
    BrokenReportForm form;
    form.comment = "Gone & paid?";
    form.paidOnly = true;
    form.serverDown = true;
    form.wrongCategory = true;
    EXPECT_EQ(form.reason(), 7);
    EXPECT_EQ(BrokenDirectoryReport::formBody("Dir", form),
        kHead
            + "Dir%0D%0AComment%3A+Gone%20%26%20paid%3F%0D%0AWrong+Category%0D%0AServer+Down%0D%0APaid+Only"
              "&directory=Dir&reason=7&textreason=Gone%20%26%20paid%3F");

    BrokenReportForm paid;
    paid.paidOnly = true;
    EXPECT_EQ(paid.reason(), 4);
    BrokenReportForm down;
    down.serverDown = true;
    EXPECT_EQ(down.reason(), 2);
}

TEST(BrokenReportBodyTest, NameAndCommentArriveAsTheyWereWritten)
{
    const struct {
        std::string name;
        std::string comment;
        std::string escapedName;
        std::string escapedComment;
    } cases[] = {
        { "A+ Links", "1+1", "A%2B%20Links", "1%2B1" },
        { "50% Off", "100%25 sure", "50%25%20Off", "100%2525%20sure" },
        { "Q&A=Yes", "a=b;c", "Q%26A=Yes", "a=b%3Bc" },
        // Line breaks go as CR LF, whichever the edit box gave.
        { "Dir", "one\ntwo\r\nthree\rfour\n", "Dir", "one%0D%0Atwo%0D%0Athree%0D%0Afour%0D%0A" },
    };
    for (const auto& c : cases) {
        BrokenReportForm form;
        form.comment = c.comment;
        EXPECT_EQ(BrokenDirectoryReport::formBody(c.name, form),
            kHead + c.escapedName + "%0D%0AComment%3A+" + c.escapedComment + "&directory=" + c.escapedName
                + "&reason=0&textreason=" + c.escapedComment)
            << c.name;
    }
}

TEST(BrokenReportBodyTest, CommentIsCutToItsFirst512Characters)
{
    BrokenReportForm form;
    form.comment = std::string(512, 'a') + std::string(88, 'b');
    const std::string body = BrokenDirectoryReport::formBody("Dir", form);
    const std::string sent(512, 'a');
    EXPECT_EQ(body, kHead + "Dir%0D%0AComment%3A+" + sent + "&directory=Dir&reason=0&textreason=" + sent);
}

TEST(BrokenReportBodyTest, CommentThatOverflowsItsBufferIsSentAsFarAsItFits)
{
    // 512 spaces escape to 1536 characters, one more than the buffer holds.
    BrokenReportForm form;
    form.comment = std::string(600, ' ');
    std::string sent;
    for (int i = 0; i < 511; ++i)
        sent += "%20";
    EXPECT_EQ(BrokenDirectoryReport::formBody("Dir", form),
        kHead + "Dir%0D%0AComment%3A+" + sent + "&directory=Dir&reason=0&textreason=" + sent);

    // Characters, not bytes, are counted; none is cut in half.
    form.comment.clear();
    for (int i = 0; i < 600; ++i)
        form.comment += "\xC3\xA9";
    const std::string body = BrokenDirectoryReport::formBody("Dir", form);
    const std::string text = body.substr(body.find("&textreason=") + 12);
    EXPECT_EQ(text.size(), 1530u); // 255 characters of six escaped places each
    EXPECT_EQ(text.substr(text.size() - 6), "%C3%A9");
}

class BrokenDirectoryReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/customers/reportbroken.php", 200, "ok");
        m_server.start();
        SettingsStore settings(m_messages);
        settings.SetSetting("vendorhost", m_server.host());
        m_hosts = HostConfiguration(settings);
    }

    LoopbackServer m_server;
    RecordingMessageBox m_messages;
    RecordingWaitDialog m_wait;
    HostConfiguration m_hosts;
};

TEST_F(BrokenDirectoryReportTest, DeliveredReportIsPostedAsAForm)
{
    BrokenDirectoryReport report(m_messages, m_wait, m_hosts);
    BrokenReportForm form;
    form.serverDown = true;
    EXPECT_TRUE(report.SendBrokenReport("Dir", [&] { return std::optional(form); }));
    EXPECT_EQ(m_messages.messages(),
        std::vector { shown("The selected directory has been successfully reported. Thank you.", "Vantelo",
            MessageIcon::Information) });
    const std::vector<SeenRequest> seen = m_server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].target, "/customers/reportbroken.php");
    EXPECT_EQ(seen[0].contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(seen[0].body, BrokenDirectoryReport::formBody("Dir", form));
}

TEST_F(BrokenDirectoryReportTest, WithoutAVendorHostTheUserIsToldBeforeWritingAReport)
{
    const HostConfiguration unconfigured;
    BrokenDirectoryReport report(m_messages, m_wait, unconfigured);
    bool asked = false;
    EXPECT_FALSE(report.SendBrokenReport("Dir", [&] {
        asked = true;
        return std::optional(BrokenReportForm {});
    }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(m_messages.messages(),
        std::vector { shown("No update server is configured. Name one (host or host:port) with the key "
                            "\"vendorhost\" in data/settings.xml.",
            "Vantelo", MessageIcon::Information) });
    EXPECT_TRUE(m_wait.requests().empty());
}

TEST_F(BrokenDirectoryReportTest, CancelSendsNothingAndFailureSaysSo)
{
    BrokenDirectoryReport report(m_messages, m_wait, m_hosts);
    EXPECT_FALSE(report.SendBrokenReport("Dir", [] { return std::optional<BrokenReportForm>(); }));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_server.requests().empty());

    SettingsStore settings(m_messages);
    settings.SetSetting("vendorhost", "127.0.0.1:" + std::to_string(refusedPort()));
    const HostConfiguration deadHost(settings);
    BrokenDirectoryReport dead(m_messages, m_wait, deadHost);
    EXPECT_FALSE(dead.SendBrokenReport("Dir", [] { return std::optional(BrokenReportForm {}); }));
    EXPECT_EQ(m_messages.messages(),
        std::vector { vanteloError("There was an error reporting the selected directory. "
                                   "Please check you internet connection.") });
}

} // namespace
