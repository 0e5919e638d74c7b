#include "net/ReciprocalScript.h"

#include "LoopbackServer.h"
#include "RecordingWaitDialog.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

namespace {

const std::string kAddFileMissing =
    "Reciprocal script misconfiguration: a required file was not found on your server (this can be either "
    "links.txt, lc.txt or idx.txt). Please make sure you uploaded all required files. See the user manual "
    "for more "
    "details.";
const std::string kAddCannotWrite =
    "Reciprocal script misconfiguration: unable to write to a configuration file on your server. Please add "
    "write "
    "permissions to links.txt, lc.txt and idx.txt. See the user manual for more details.";
const std::string kAddWrongPassword = "Reciprocal script misconfiguration: invalid password. Please make "
                                      "sure the password supplied in your profile "
                                      "reciprocal configuration matches the one you added in your "
                                      "config.php. See the user manual for more details.";
const std::string kAddConnectionFailed = "Unable to open a connection to the reciprocal script. Please make "
                                         "sure that your profile configuration is "
                                         "correct and your internet connection is up.";

// A reciprocal script on loopback whose answer each test sets.
class ReciprocalScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        answer("");
        m_server.start();
    }

    void answer(const std::string& text) { m_server.serve("/links/interact.php", 200, text, "text/html"); }

    std::string scriptUrl() const { return m_server.url("/links/interact.php"); }
    std::string deadScriptUrl() const
    {
        return "http://127.0.0.1:" + std::to_string(refusedPort()) + "/interact.php";
    }
    std::string lastTarget() const { return m_server.requests().back().target; }

    LoopbackServer m_server;
    RecordingMessageBox m_messages;
    RecordingWaitDialog m_wait;
    ReciprocalScript m_script { m_messages, m_wait };
};

TEST_F(ReciprocalScriptTest, LinkCodeAndPasswordArriveEscaped)
{
    answer("http://www.mysite.example/links/page2.html");
    const auto url =
        m_script.addDirectoryLink(scriptUrl(), "se&cret#1", "<a href=\"http://dir.example/\">Dir</a>");
    EXPECT_EQ(url, "http://www.mysite.example/links/page2.html");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(lastTarget(),
        "/links/interact.php?password=se%26cret%231"
        "&code=%3Ca%20href=%22http:%2F%2Fdir.example%2F%22%3EDir%3C%2Fa%3E");
    ASSERT_EQ(m_wait.requests().size(), 1u);
    EXPECT_EQ(m_wait.requests()[0].message, "Please wait...");
    EXPECT_FALSE(m_wait.requests()[0].toFile);
}

TEST_F(ReciprocalScriptTest, PercentSignsAreSentSoThatTheScriptReadsThemBack)
{
    answer("http://www.mysite.example/links/page2.html");
    ASSERT_TRUE(m_script.addCustomLink(
        scriptUrl(), "100%", "<a href=\"/?q=a%20b\">50%</a>", [](const std::string&) {}));
    EXPECT_EQ(lastTarget(),
        "/links/interact.php?password=100%25&code=%3Ca%20href=%22%2F%3Fq=a%2520b%22%3E50%25%3C%2Fa%3E");
    answer("0");
    EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), "%41"));
    EXPECT_EQ(lastTarget(), "/links/interact.php?test=1&password=%2541");

    // The "%" counts three places towards the escaping limit, as any escaped character does.
    m_messages.clear();
    EXPECT_FALSE(m_script.addDirectoryLink(scriptUrl(), "pw", std::string(1366, '%')));
    EXPECT_EQ(m_messages.texts(),
        std::vector<std::string> { "Could not add the reciprocal link present on this page" });
}

TEST_F(ReciprocalScriptTest, AddAnswersByFirstCharacter)
{
    const std::vector<std::pair<std::string, std::string>> errors { { "1", kAddFileMissing },
        { "2 cannot write", kAddCannotWrite }, { "3", kAddWrongPassword } };
    for (const auto& [body, message] : errors) {
        SCOPED_TRACE(body);
        m_messages.clear();
        answer(body);
        EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), "pw", "code"), std::nullopt);
        EXPECT_EQ(m_messages.messages(), std::vector { vanteloError(message) });
    }
    // Anything else is the URL, an empty answer and "0" included.
    for (const std::string& body : std::vector<std::string> { "0", "", "<html>Error 500</html>" }) {
        SCOPED_TRACE(body);
        m_messages.clear();
        answer(body);
        EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), "pw", "code"), body);
        EXPECT_TRUE(m_messages.empty());
    }
}

TEST_F(ReciprocalScriptTest, AddFailsWithoutConnection)
{
    EXPECT_EQ(m_script.addDirectoryLink(deadScriptUrl(), "pw", "code"), std::nullopt);
    EXPECT_EQ(m_messages.messages(), std::vector { vanteloError(kAddConnectionFailed) });
}

TEST_F(ReciprocalScriptTest, CodeTooLongToEscapeIsNotSent)
{
    // 1366 quotes escape to 4098 characters: too many for either buffer.
    EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), "pw", std::string(1366, '"')), std::nullopt);
    EXPECT_EQ(m_script.addCustomLink(scriptUrl(), "pw", std::string(1366, '"'), [](const std::string&) {}),
        std::nullopt);
    EXPECT_EQ(m_messages.messages(),
        (std::vector {
            shown("Could not add the reciprocal link present on this page", "Vantelo", MessageIcon::Warning),
            shown("Could not add the reciprocal link. The HTML code might have more than the "
                  "maximum supported length.",
                "Vantelo", MessageIcon::Warning) }));
    EXPECT_TRUE(m_server.requests().empty());

    // 4095 characters fit the directory link's buffer but not the custom link's.
    EXPECT_TRUE(m_script.addDirectoryLink(scriptUrl(), "pw", std::string(4095, 'a')).has_value());
    EXPECT_FALSE(
        m_script.addCustomLink(scriptUrl(), "pw", std::string(4095, 'a'), [](const std::string&) {}));
}

TEST_F(ReciprocalScriptTest, CustomLinkGoesToTheClipboard)
{
    answer("http://www.mysite.example/links.html");
    std::string clipboard;
    EXPECT_EQ(m_script.addCustomLink(
                  scriptUrl(), "pw", "<a>x</a>", [&](const std::string& text) { clipboard = text; }),
        "http://www.mysite.example/links.html");
    EXPECT_EQ(clipboard, "http://www.mysite.example/links.html");
    EXPECT_EQ(m_messages.messages(),
        std::vector {
            shown("The reciprocal link was added to your site. The reciprocal URL was copied to the "
                  "clipboard for you to paste it in the appropriate place before submitting.",
                "Vantelo", MessageIcon::Information) });

    m_messages.clear();
    clipboard.clear();
    answer("3");
    EXPECT_FALSE(
        m_script.addCustomLink(scriptUrl(), "pw", "x", [&](const std::string& text) { clipboard = text; }));
    EXPECT_EQ(clipboard, "");
    EXPECT_EQ(m_messages.messages(), std::vector { vanteloError(kAddWrongPassword) });
}

TEST_F(ReciprocalScriptTest, TestAnswersByFirstCharacter)
{
    const std::vector<std::tuple<std::string, std::string, MessageIcon>> cases {
        { "0", "Reciprocal script is properly configured", MessageIcon::Information },
        { "1",
            "A required file was not found on your server (this can be either links.txt, lc.txt or idx.txt). "
            "Please make sure you uploaded all required files. See the user manual for more details.",
            MessageIcon::Error },
        { "2",
            "Unable to write to a configuration file on your server. Please add write permissions to "
            "links.txt, "
            "lc.txt and idx.txt. See the user manual for more details.",
            MessageIcon::Error },
        { "3 and more",
            "Invalid password. Please make sure the password entered matches the one you added in your "
            "config.php. See the user manual for more details.",
            MessageIcon::Error },
        { "",
            "Unknown error. The reciprocal script may not be properly uploaded. Please see the user manual "
            "for "
            "more details.",
            MessageIcon::Error },
        { "<html>",
            "Unknown error. The reciprocal script may not be properly uploaded. Please see the user manual "
            "for more details.",
            MessageIcon::Error },
    };
    for (const auto& [body, message, icon] : cases) {
        SCOPED_TRACE(body);
        m_messages.clear();
        answer(body);
        EXPECT_EQ(m_script.testConfiguration(scriptUrl(), "p w&"), body == "0");
        EXPECT_EQ(m_messages.messages(), std::vector { shown(message, "Vantelo", icon) });
        EXPECT_EQ(lastTarget(), "/links/interact.php?test=1&password=p%20w%26");
    }
}

TEST_F(ReciprocalScriptTest, TestChecksTheAddressBeforeAnyRequest)
{
    const std::string badAddress =
        "The address box must contain the full URL (starting with http://) of the interaction script Vantelo "
        "should "
        "use (default name interact.php). Please consult the user manual for more details.";
    for (const std::string& address :
        { m_server.url("/links/interact.PHP"), std::string("php"), m_server.url("/links/") }) {
        SCOPED_TRACE(address);
        m_messages.clear();
        EXPECT_FALSE(m_script.testConfiguration(address, "pw"));
        EXPECT_EQ(m_messages.messages(), std::vector { shown(badAddress, "Vantelo", MessageIcon::Warning) });
    }
    EXPECT_TRUE(m_server.requests().empty());

    m_messages.clear();
    EXPECT_FALSE(m_script.testConfiguration(deadScriptUrl(), "pw"));
    EXPECT_EQ(m_messages.messages(),
        std::vector { vanteloError("Unable to open the specified address. Please make "
                                   "sure there are no typos and your internet "
                                   "connection is up.") });
}

} // namespace
