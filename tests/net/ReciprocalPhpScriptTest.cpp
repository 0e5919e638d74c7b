// The shipped reciprocal link script, run by PHP's own web server and driven by
// the program's requests.

#include "net/BlockingWaitDialog.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/ReciprocalScript.h"

#include "PhpScriptServer.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ReciprocalPhpScriptTest : public ::testing::Test {
protected:
    void setPassword(const std::string& password)
    {
        std::ofstream(m_php.folder() / "config.php") << "<?php\n$password = '" << password << "';\n";
    }

    std::string scriptUrl() const { return m_php.url("interact.php"); }

    std::string lastMessage() const
    {
        return m_messages.empty() ? std::string() : m_messages.messages().back().text;
    }

    std::string fetch(const std::string& url)
    {
        std::string page;
        EXPECT_TRUE(HttpGetPage(splitRequestUrl(url), page));
        return page;
    }

    std::string dataFile(const char* name) const
    {
        std::ifstream in(m_php.folder() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    PhpScriptServer m_php { VANTELO_SOURCE_DIR "/resources/reciprocal" };
    RecordingMessageBox m_messages;
    BlockingWaitDialog m_wait;
    ReciprocalScript m_script { m_messages, m_wait };
};

TEST_F(ReciprocalPhpScriptTest, TestRequestReportsEachConfigurationState)
{
    setPassword("s3cret");
    EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), "s3cret"));
    EXPECT_EQ(lastMessage(), "Reciprocal script is properly configured");

    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), "wrong"));
    EXPECT_TRUE(lastMessage().starts_with("Invalid password."));

    std::filesystem::permissions(m_php.folder() / "idx.txt",
        std::filesystem::perms::owner_read | std::filesystem::perms::group_read
            | std::filesystem::perms::others_read);
    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), "s3cret"));
    EXPECT_TRUE(lastMessage().starts_with("Unable to write to a configuration file on your server."));

    std::filesystem::remove(m_php.folder() / "lc.txt");
    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), "s3cret"));
    EXPECT_TRUE(lastMessage().starts_with("A required file was not found on your server"));
}

TEST_F(ReciprocalPhpScriptTest, AddedCodeArrivesIntactOnTheReturnedPage)
{
    setPassword("p&ss+word");
    const std::string code = "<a href=\"http://dir.example/?a=1+2&b='x'\">A \"Dir\" <b>with</b> spaces</a>";
    const auto url = m_script.addDirectoryLink(scriptUrl(), "p&ss+word", code);
    ASSERT_TRUE(url) << lastMessage();
    EXPECT_EQ(*url, scriptUrl() + "?page=1");
    EXPECT_TRUE(m_messages.empty());
    EXPECT_NE(fetch(*url).find("<li>" + code + "</li>"), std::string::npos);
    EXPECT_EQ(dataFile("links.txt"), "1\t" + code + "\n");
}

TEST_F(ReciprocalPhpScriptTest, FullPageStartsTheNextOne)
{
    setPassword("pw");
    for (int link = 1; link <= 25; ++link)
        ASSERT_EQ(
            m_script.addDirectoryLink(scriptUrl(), "pw", "<a href=\"/" + std::to_string(link) + "\">x</a>"),
            scriptUrl() + "?page=1");
    EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), "pw", "<a href=\"/26\">x</a>"), scriptUrl() + "?page=2");
    EXPECT_EQ(dataFile("idx.txt"), "2");
    EXPECT_EQ(dataFile("lc.txt"), "1");
    const std::string second = fetch(scriptUrl() + "?page=2");
    EXPECT_NE(second.find("/26"), std::string::npos);
    EXPECT_EQ(second.find("/25\""), std::string::npos);
}

TEST_F(ReciprocalPhpScriptTest, WrongPasswordTouchesNoFile)
{
    setPassword("right");
    const std::string before = dataFile("links.txt") + dataFile("lc.txt") + dataFile("idx.txt");
    EXPECT_FALSE(m_script.addDirectoryLink(scriptUrl(), "wrong", "<a href=\"/x\">x</a>"));
    EXPECT_TRUE(lastMessage().starts_with("Reciprocal script misconfiguration: invalid password."));
    EXPECT_EQ(dataFile("links.txt") + dataFile("lc.txt") + dataFile("idx.txt"), before);

    // Until a password is set (empty, or the shipped placeholder) nothing is accepted.
    for (const char* unset : { "", "change-me" }) {
        setPassword(unset);
        EXPECT_FALSE(m_script.addDirectoryLink(scriptUrl(), unset, "<a href=\"/x\">x</a>"));
        EXPECT_EQ(dataFile("links.txt") + dataFile("lc.txt") + dataFile("idx.txt"), before);
    }
}

} // namespace
