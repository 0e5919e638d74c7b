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
const std::string kAddCodeRefused =
    "The reciprocal script refused this link code. It accepts one link to an http:// or https:// address "
    "with a text or one image, of at most 4 KB, and nothing else. See the user manual for more details.";
const std::string kAddWeakPassword =
    "Reciprocal script misconfiguration: the password in config.php is not set or has fewer than 12 "
    "characters. Please choose a longer password and enter it in config.php and in your profile. See the "
    "user manual for more details.";
const std::string kAddBrokenConfig =
    "Reciprocal script misconfiguration: config.php is missing, cannot be read or has an error. Please make "
    "sure it keeps its one line $password = '...'; and upload it again. See the user manual for more "
    "details.";
const std::string kAddNoAttemptRecord =
    "Reciprocal script misconfiguration: the script cannot record failed password attempts. Please upload "
    "attempts.txt and add write permissions to it. See the user manual for more details.";
const std::string kUnknownAnswer =
    "Unknown error. The reciprocal script may not be properly uploaded. Please "
    "see the user manual for more details.";
const std::string kRedirectRefused =
    "The address of the reciprocal script redirects to an address that does not start with https:// or "
    "is on another host, and Vantelo does not send your password there. Please enter the script's own "
    "https:// address in your profile.";
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
    std::string lastBody() const { return m_server.requests().back().body; }
    // Adds a directory's link code, agreeing to it when asked.
    std::optional<std::string> addDirectoryLink(const std::string& password, const std::string& code)
    {
        m_messages.answerNext(MessageAnswer::Yes);
        return m_script.addDirectoryLink(scriptUrl(), password, code);
    }

    LoopbackServer m_server;
    RecordingMessageBox m_messages;
    RecordingWaitDialog m_wait;
    ReciprocalScript m_script { m_messages, m_wait };
};

TEST_F(ReciprocalScriptTest, PasswordAndCodeGoInAFormBodyAfterTheUserSawTheCode)
{
    answer("http://www.mysite.example/links/page2.html");
    const std::string code = "<a href=\"http://dir.example/\">Dir</a>";
    m_messages.answerNext(MessageAnswer::Yes);
    const auto url = m_script.addDirectoryLink(scriptUrl(), "se&cret#1", code);
    EXPECT_EQ(url, "http://www.mysite.example/links/page2.html");
    const RecordedMessage question { "Vantelo will add this link code from the directory's page to your "
                                     "site:\n\n"
            + code + "\n\nAdd it?",
        "Vantelo", MessageIcon::Question, true, MessageButtons::YesNo };
    EXPECT_EQ(m_messages.messages(), std::vector { question });
    ASSERT_EQ(m_server.requests().size(), 1u);
    const SeenRequest sent = m_server.requests().back();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.target, "/links/interact.php");
    EXPECT_EQ(sent.contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(sent.body,
        "password=se%26cret%231"
        "&code=%3Ca%20href=%22http:%2F%2Fdir.example%2F%22%3EDir%3C%2Fa%3E");
    ASSERT_EQ(m_wait.requests().size(), 1u);
    EXPECT_EQ(m_wait.requests()[0].message, "Please wait...");
    EXPECT_FALSE(m_wait.requests()[0].toFile);

    // Declined: nothing is sent.
    m_messages.clear();
    m_messages.answerNext(MessageAnswer::No);
    EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), "se&cret#1", code), std::nullopt);
    EXPECT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_server.requests().size(), 1u);

    answer("0");
    EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), "se&cret#1"));
    EXPECT_EQ(lastTarget(), "/links/interact.php");
    EXPECT_EQ(lastBody(), "test=1&password=se%26cret%231");
}

TEST_F(ReciprocalScriptTest, PercentAndPlusSignsAreSentSoThatTheScriptReadsThemBack)
{
    answer("http://www.mysite.example/links/page2.html");
    ASSERT_TRUE(m_script.addCustomLink(
        scriptUrl(), "100%+1", "<a href=\"/?q=a%20b+c\">50%</a>", [](const std::string&) {}));
    EXPECT_EQ(lastBody(), "password=100%25%2B1&code=%3Ca%20href=%22%2F%3Fq=a%2520b%2Bc%22%3E50%25%3C%2Fa%3E");
    answer("0");
    EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), "%41"));
    EXPECT_EQ(lastBody(), "test=1&password=%2541");

    // The "%" counts three places towards the escaping limit, as any escaped character does.
    m_messages.clear();
    EXPECT_FALSE(m_script.addDirectoryLink(scriptUrl(), "pw", std::string(1366, '%')));
    EXPECT_EQ(m_messages.texts(),
        std::vector<std::string> { "Could not add the reciprocal link present on this page" });
}

TEST_F(ReciprocalScriptTest, AddAnswersByFirstCharacterAndSucceedsOnlyWithAnAddress)
{
    const std::vector<std::pair<std::string, std::string>> errors { { "1", kAddFileMissing },
        { "2 cannot write", kAddCannotWrite }, { "3", kAddWrongPassword }, { "4", kAddCodeRefused },
        { "5", kAddWeakPassword }, { "6", kAddBrokenConfig }, { "7", kAddNoAttemptRecord } };
    for (const auto& [body, message] : errors) {
        SCOPED_TRACE(body);
        m_messages.clear();
        answer(body);
        EXPECT_EQ(m_script.addCustomLink(scriptUrl(), "pw", "code", [](const std::string&) {}), std::nullopt);
        EXPECT_EQ(m_messages.messages(), std::vector { vanteloError(message) });
    }

    // Only a 2xx answer that is one absolute http(s) address is a success.
    const std::vector<std::tuple<int, std::string, std::optional<std::string>>> answers {
        { 200, "http://www.mysite.example/links/interact.php?page=3",
            "http://www.mysite.example/links/interact.php?page=3" },
        { 201, "  HTTPS://www.mysite.example/l?page=1\r\n", "HTTPS://www.mysite.example/l?page=1" },
        { 200, "0", std::nullopt },
        { 200, "", std::nullopt },
        { 500, "", std::nullopt },
        { 500, "http://www.mysite.example/links/interact.php?page=3", std::nullopt },
        { 200, "<br />\n<b>Parse error</b>: syntax error in /var/www/links/config.php", std::nullopt },
        { 200, "<html>Error 500</html>", std::nullopt },
        { 200, "http://www.mysite.example/links/ page 3", std::nullopt },
        { 200, "http:///interact.php?page=1", std::nullopt },
        { 200, "ftp://www.mysite.example/links.html", std::nullopt },
    };
    for (const auto& [status, body, address] : answers) {
        SCOPED_TRACE(body);
        m_messages.clear();
        m_server.serve("/links/interact.php", status, body, "text/html");
        EXPECT_EQ(addDirectoryLink("pw", "code"), address);
        if (address)
            EXPECT_EQ(m_messages.messages().size(), 1u); // the question only
        else
            EXPECT_EQ(m_messages.messages().back(), vanteloError(kUnknownAnswer));
    }
}

TEST_F(ReciprocalScriptTest, ThePasswordIsNeverTakenOnToAnAddressOtherThanHttps)
{
    m_server.handle("/moved/interact.php", [this](const httplib::Request&, httplib::Response& response) {
        response.set_redirect(scriptUrl(), 307);
    });
    const std::string moved = m_server.url("/moved/interact.php");
    EXPECT_FALSE(m_script.testConfiguration(moved, "pw"));
    m_messages.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(m_script.addDirectoryLink(moved, "pw", "code"), std::nullopt);
    EXPECT_EQ(m_script.addCustomLink(moved, "pw", "code", [](const std::string&) {}), std::nullopt);
    const std::vector<std::string> texts = m_messages.texts();
    ASSERT_EQ(texts.size(), 4u); // the second is the question before the add
    EXPECT_EQ(texts[0], kRedirectRefused);
    EXPECT_EQ(texts[2], kRedirectRefused);
    EXPECT_EQ(texts[3], kRedirectRefused);
    for (const SeenRequest& request : m_server.requests())
        EXPECT_EQ(request.target, "/moved/interact.php");
}

TEST_F(ReciprocalScriptTest, AddFailsWithoutConnection)
{
    EXPECT_EQ(m_script.addCustomLink(deadScriptUrl(), "pw", "code", [](const std::string&) {}), std::nullopt);
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
    answer("http://www.mysite.example/links.html");
    EXPECT_TRUE(addDirectoryLink("pw", std::string(4095, 'a')).has_value());
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
        { "5",
            "The password in config.php is not set or has fewer than 12 characters. Please choose a longer "
            "password and enter it in config.php and here. See the user manual for more details.",
            MessageIcon::Error },
        { "6",
            "config.php is missing, cannot be read or has an error. Please make sure it keeps its one line "
            "$password = '...'; and upload it again. See the user manual for more details.",
            MessageIcon::Error },
        { "7",
            "The script cannot record failed password attempts. Please upload attempts.txt and add write "
            "permissions to it. See the user manual for more details.",
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
        EXPECT_EQ(lastBody(), "test=1&password=p%20w%26");
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
