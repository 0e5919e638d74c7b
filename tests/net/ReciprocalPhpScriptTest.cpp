// The shipped reciprocal link script, run by PHP's own web server: driven by the
// program's requests, by the plain GET requests of older clients, and by the
// requests an attacker would send.

#include "net/BlockingWaitDialog.h"
#include "net/HttpClient.h"
#include "net/HttpTarget.h"
#include "net/ReciprocalScript.h"

#include "PhpScriptServer.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <regex>
#include <set>

namespace {

const std::filesystem::path kScriptFolder = VANTELO_SOURCE_DIR "/resources/reciprocal";
const std::string kPassword = "open sesame & co";
// The failures of a test all come from 127.0.0.1; without a pause they run in no time.
const std::vector<std::string> kNoFailurePause { "VANTELO_RECIPROCAL_FAILURE_DELAY_MS=0" };

const std::string kCodeRefused =
    "The reciprocal script refused this link code. It accepts one link to an http:// or https:// address "
    "with a text or one image, of at most 4 KB, and nothing else. See the user manual for more details.";

// Escapes everything but the unreserved characters, as a form does.
std::string formValue(const std::string& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '_' || c == '.' || c == '~') {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        }
    }
    return escaped;
}

std::string addForm(const std::string& password, const std::string& code)
{
    return "password=" + formValue(password) + "&code=" + formValue(code);
}

class ReciprocalPhpScriptTest : public ::testing::Test {
protected:
    explicit ReciprocalPhpScriptTest(const std::vector<std::string>& environment = kNoFailurePause)
        : m_php(kScriptFolder, environment)
    {
        setPassword(kPassword);
    }

    void setPassword(const std::string& password) { writeConfig("<?php\n$password = '" + password + "';\n"); }
    void writeConfig(const std::string& text) { std::ofstream(m_php.folder() / "config.php") << text; }

    std::string scriptUrl() const { return m_php.url("interact.php"); }

    std::string lastMessage() const
    {
        return m_messages.empty() ? std::string() : m_messages.messages().back().text;
    }

    // A request as any client may send it: a method, the query and a form body.
    httplib::Result send(const std::string& method, const std::string& query, const std::string& form = {})
    {
        const std::string base = m_php.url("");
        httplib::Client client(base.substr(0, base.size() - 1));
        const std::string target = "/interact.php" + (query.empty() ? std::string() : "?" + query);
        constexpr const char* kForm = "application/x-www-form-urlencoded";
        if (method == "GET")
            return client.Get(target);
        if (method == "POST")
            return client.Post(target, form, kForm);
        if (method == "HEAD")
            return client.Head(target);
        if (method == "PUT")
            return client.Put(target, form, kForm);
        if (method == "PATCH")
            return client.Patch(target, form, kForm);
        if (method == "DELETE")
            return client.Delete(target);
        return client.Options(target);
    }

    // The body of a POST of the form; "(no answer)" when none came.
    std::string post(const std::string& form)
    {
        const httplib::Result result = send("POST", {}, form);
        return result ? result->body : "(no answer)";
    }

    // The script run once by PHP's command line as a GET from `address`: its answer.
    std::string answerTo(const std::string& address, const std::string& query) const
    {
        const std::string command = "cd '" + m_php.folder().string() + "' && REMOTE_ADDR='" + address
            + "' REQUEST_METHOD=GET QUERY_STRING='" + query
            + "' VANTELO_RECIPROCAL_FAILURE_DELAY_MS=0 php interact.php";
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string answer;
        char buffer[256];
        for (std::size_t read; pipe && (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            answer.append(buffer, read);
        if (pipe)
            ::pclose(pipe);
        return answer;
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
    std::string linkFiles() const { return dataFile("links.txt") + dataFile("lc.txt") + dataFile("idx.txt"); }

    void makeReadOnly(const char* name) const
    {
        std::filesystem::permissions(m_php.folder() / name,
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read
                | std::filesystem::perms::others_read);
    }

    PhpScriptServer m_php;
    RecordingMessageBox m_messages;
    BlockingWaitDialog m_wait;
    ReciprocalScript m_script { m_messages, m_wait };
};

TEST_F(ReciprocalPhpScriptTest, TestRequestReportsEachConfigurationState)
{
    EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), kPassword));
    EXPECT_EQ(lastMessage(), "Reciprocal script is properly configured");

    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), "wrong"));
    EXPECT_TRUE(lastMessage().starts_with("Invalid password."));

    makeReadOnly("idx.txt");
    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), kPassword));
    EXPECT_TRUE(lastMessage().starts_with("Unable to write to a configuration file on your server."));

    std::filesystem::remove(m_php.folder() / "lc.txt");
    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), kPassword));
    EXPECT_TRUE(lastMessage().starts_with("A required file was not found on your server"));
}

TEST_F(ReciprocalPhpScriptTest, ConfigurationFaultsGetTheirOwnAnswerAndNoPhpText)
{
    struct Case {
        const char* what;
        std::optional<std::string> config; // none: config.php is gone
        std::string answer;
        std::string message;
    };
    const std::string broken = "config.php is missing, cannot be read or has an error.";
    const std::string weak = "The password in config.php is not set or has fewer than 12 characters.";
    const std::vector<Case> cases {
        { "parse error", "<?php\n$password = 'open sesame & co\n", "6", broken },
        { "missing", std::nullopt, "6", broken },
        { "no text", "<?php\n$password = 42;\n", "6", broken },
        { "prints", "<?php\necho 'hello';\n", "6", broken },
        { "shipped", "<?php\n$password = 'change-me';\n", "5", weak },
        { "empty", "<?php\n$password = '';\n", "5", weak },
        { "eleven", "<?php\n$password = 'open sesame';\n", "5", weak },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.config)
            writeConfig(*c.config);
        else
            std::filesystem::remove(m_php.folder() / "config.php");
        // Nothing but the code: no PHP error text, no path of the server.
        EXPECT_EQ(post("test=1&password=" + formValue(kPassword)), c.answer);
        EXPECT_EQ(post("test=1&password=open%20sesame"), c.answer);
        EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), kPassword));
        EXPECT_TRUE(lastMessage().starts_with(c.message)) << lastMessage();
    }

    setPassword(kPassword);
    makeReadOnly("attempts.txt");
    EXPECT_EQ(post("test=1&password=" + formValue(kPassword)), "7");
    EXPECT_EQ(post(addForm(kPassword, "<a href=\"http://x.example/\">x</a>")), "7");
    EXPECT_EQ(dataFile("links.txt"), "");
}

TEST_F(ReciprocalPhpScriptTest, HashedPasswordsAreAccepted)
{
    const std::string password = "correct horse battery";
    for (const char* hash : { "$2y$04$C67eaY647uxKTaI38nMj6.YN5X3kSMoA2O/e3NF8Se7Rwt0bh6h0O",
             "$argon2id$v=19$m=1024,t=1,p=1$QmFiM20ydXdjdW8yR0E5MQ$GhzVxzoBKCOnrfKw40YuISUjjewVD9mEL/"
             "a9k3tupxQ" }) {
        SCOPED_TRACE(hash);
        setPassword(hash);
        EXPECT_TRUE(m_script.testConfiguration(scriptUrl(), password)) << lastMessage();
        EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), hash));
        EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), "correct horse batter"));
    }
}

TEST_F(ReciprocalPhpScriptTest, AGoodLinkCodeIsStoredAndShownRebuilt)
{
    const std::string code =
        "<A HREF='http://dir.example/?a=1&amp;b=\"2\"+3' Title=Dir target=\"_blank\">\n"
        "<IMG SRC=\"https://dir.example/b.png\" alt=\"Dir &lt;3\"/> The \"Dir\" &amp; co</A>";
    const std::string rebuilt =
        "<a href=\"http://dir.example/?a=1&amp;b=&quot;2&quot;+3\" title=\"Dir\" "
        "target=\"_blank\"> <img src=\"https://dir.example/b.png\" alt=\"Dir &lt;3\"> "
        "The &quot;Dir&quot; &amp; co</a>";
    m_messages.answerNext(MessageAnswer::Yes);
    const auto url = m_script.addDirectoryLink(scriptUrl(), kPassword, code);
    ASSERT_TRUE(url) << lastMessage();
    EXPECT_EQ(*url, scriptUrl() + "?page=1");
    EXPECT_EQ(dataFile("links.txt"), "1\t" + rebuilt + "\n");

    const httplib::Result page = send("GET", "page=1");
    ASSERT_TRUE(page);
    EXPECT_NE(page->body.find("<li>" + rebuilt + "</li>"), std::string::npos) << page->body;
    EXPECT_EQ(page->get_header_value("Content-Security-Policy"), "default-src 'none'; img-src http: https:");
    EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
}

TEST_F(ReciprocalPhpScriptTest, HostileLinkCodesAreRefused)
{
    const std::vector<std::string> codes {
        "<script>location='http://evil.example/'</script>",
        "<meta http-equiv=\"refresh\" content=\"0;url=http://evil.example/\">",
        "<a href=\"http://dir.example/\">Dir</a><script>alert(1)</script>",
        "<a href=\"http://dir.example/\"><script>alert(1)</script></a>",
        "<a href=\"http://dir.example/\">Dir</a><meta http-equiv=\"refresh\" content=\"0\">",
        "<a href=\"javascript:alert(1)\">Dir</a>",
        "<a href=\"//evil.example/\">Dir</a>",
        "<a href=\"http://dir.example/\" onclick=\"alert(1)\">Dir</a>",
        "<a href=\"http://dir.example/\" style=\"position:fixed\">Dir</a>",
        "<a href=\"http://dir.example/\" href=\"http://evil.example/\">Dir</a>",
        "<a href=\"http://dir.example/\"><img src=\"javascript:alert(1)\"></a>",
        "<a href=\"http://dir.example/\"><img src=\"http://dir.example/a.png\" onerror=\"alert(1)\"></a>",
        "<a href=\"http://dir.example/\"><img src=\"http://a.example/\"><img src=\"http://b.example/\"></a>",
        "<a href=\"http://dir.example/\"><b>Dir</b></a>",
        "<a href=\"http://dir.example/\"> </a>",
        "<a href=\"http://dir.example/\">Dir</a><a href=\"http://dir.example/\">Dir</a>",
        "<a href=\"http://dir.example/\">Dir",
        "Listed at <a href=\"http://dir.example/\">Dir</a>",
        "<a href=\"http://dir.example/\">Dir\xff</a>",
        "<a href=\"http://dir.example/\">" + std::string(4080, 'x') + "</a>",
        // Under 4 KB as sent, over it once its quotes are escaped.
        "<a href=\"http://dir.example/\">" + std::string(1000, '"') + "</a>",
        "<a href=\"http://dir.example/\" rel=\"nofollow Opener\">Dir</a>",
        "<a href=\"http://dir.example/\"><img src=\"http://dir.example/a.png\" width=\"100%\"></a>",
    };
    const std::string before = linkFiles();
    for (const std::string& code : codes) {
        SCOPED_TRACE(code.substr(0, 80));
        EXPECT_EQ(post(addForm(kPassword, code)), "4");
        const httplib::Result byGet = send("GET", addForm(kPassword, code));
        ASSERT_TRUE(byGet);
        EXPECT_EQ(byGet->body, "4");
    }
    EXPECT_EQ(linkFiles(), before);

    EXPECT_FALSE(m_script.addCustomLink(scriptUrl(), kPassword, codes[0], [](const std::string&) {}));
    EXPECT_EQ(m_messages.messages(), std::vector { vanteloError(kCodeRefused) });

    // Links kept from before codes were checked are not shown either.
    std::ofstream(m_php.folder() / "links.txt")
        << "1\t" << codes[0] << "\n1\t" << codes[1] << "\n1\t<a href=\"http://ok.example/\">ok</a>\n";
    const std::string page = fetch(scriptUrl() + "?page=1");
    EXPECT_EQ(page.find("<script"), std::string::npos) << page;
    EXPECT_EQ(page.find("http-equiv"), std::string::npos) << page;
    EXPECT_NE(page.find("<li><a href=\"http://ok.example/\">ok</a></li>"), std::string::npos) << page;
}

TEST_F(ReciprocalPhpScriptTest, FormBodiesReadPlusAsABlankAndImagesAreCappedInSize)
{
    const std::string plusForm = "password=" + formValue(kPassword)
        + "&code=%3Ca+href%3D%22http%3A%2F%2Fa.example%2F%22+rel%3D%22nofollow%22%3EA+B%3C%2Fa%3E";
    EXPECT_EQ(post(plusForm), scriptUrl() + "?page=1");
    // A query is read raw, as before: "+" stays a plus sign.
    answerTo("127.0.0.1", addForm(kPassword, "<a href=\"http://b.example/\">") + "C+D%3C%2Fa%3E");
    EXPECT_EQ(post(addForm(kPassword,
                  "<a href=\"http://c.example/\"><img src=\"http://c.example/i.png\" width=\"100000px\" "
                  "height=\" 31 \"></a>")),
        scriptUrl() + "?page=1");
    EXPECT_EQ(dataFile("links.txt"),
        "1\t<a href=\"http://a.example/\" rel=\"nofollow\">A B</a>\n"
        "1\t<a href=\"http://b.example/\">C+D</a>\n"
        "1\t<a href=\"http://c.example/\"><img src=\"http://c.example/i.png\" width=\"800\" "
        "height=\"31\"></a>\n");
}

TEST_F(ReciprocalPhpScriptTest, PostAndGetBothAddAndTest)
{
    const std::string first = "<a href=\"http://one.example/\">One</a>";
    const std::string second = "<a href=\"https://two.example/\">Two</a>";
    EXPECT_EQ(post(addForm(kPassword, first)), scriptUrl() + "?page=1");
    const httplib::Result byGet = send("GET", addForm(kPassword, second));
    ASSERT_TRUE(byGet);
    EXPECT_EQ(byGet->body, scriptUrl() + "?page=1");
    EXPECT_EQ(dataFile("links.txt"), "1\t" + first + "\n1\t" + second + "\n");

    EXPECT_EQ(post("test=1&password=" + formValue(kPassword)), "0");
    const httplib::Result testByGet = send("GET", "test=1&password=" + formValue(kPassword));
    ASSERT_TRUE(testByGet);
    EXPECT_EQ(testByGet->body, "0");
}

TEST_F(ReciprocalPhpScriptTest, OnlyGetAndPostReachTheScript)
{
    const std::string form = addForm(kPassword, "<a href=\"http://x.example/\">x</a>");
    const std::string before = linkFiles();
    for (const char* method : { "HEAD", "PUT", "PATCH", "DELETE", "OPTIONS" }) {
        SCOPED_TRACE(method);
        const httplib::Result result = send(method, form, form);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 405);
    }
    EXPECT_EQ(linkFiles(), before);

    // A link checker may still look at a page without fetching it.
    const httplib::Result head = send("HEAD", "page=1");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
}

TEST_F(ReciprocalPhpScriptTest, TenFailuresShutTheAddressOutEvenWithTheRightPassword)
{
    const std::string right = "test=1&password=" + formValue(kPassword);
    // A success forgives the failures before it.
    for (int attempt = 0; attempt < 9; ++attempt)
        ASSERT_EQ(post("test=1&password=guess" + std::to_string(attempt)), "3");
    EXPECT_EQ(post(right), "0");

    for (int attempt = 0; attempt < 10; ++attempt)
        ASSERT_EQ(post("test=1&password=guess" + std::to_string(attempt)), "3");
    const std::string before = linkFiles();
    EXPECT_EQ(post(right), "3");
    EXPECT_EQ(post(addForm(kPassword, "<a href=\"http://x.example/\">x</a>")), "3");
    EXPECT_FALSE(m_script.testConfiguration(scriptUrl(), kPassword));
    EXPECT_TRUE(lastMessage().starts_with("Invalid password."));
    EXPECT_EQ(linkFiles(), before);

    // The lock lives in the record alone: emptied, the address is let in again.
    std::ofstream(m_php.folder() / "attempts.txt", std::ios::trunc).flush();
    EXPECT_EQ(post(right), "0");
}

TEST_F(ReciprocalPhpScriptTest, FailuresCountPerIpv6NetworkAndForAllAddressesTogether)
{
    const std::string guess = "test=1&password=guess";
    const std::string right = "test=1&password=" + formValue(kPassword);
    for (int host = 1; host <= 10; ++host)
        ASSERT_EQ(answerTo("2001:db8:1:2::" + std::to_string(host), guess), "3");
    EXPECT_EQ(answerTo("2001:db8:1:2:ffff::1", right), "3");
    EXPECT_EQ(answerTo("2001:db8:1:3::1", right), "0");

    // Ninety more failures from addresses that fail too seldom to be shut out
    // use up what all may fail together: then nobody is let in for a while.
    for (int client = 0; client < 90; ++client)
        ASSERT_EQ(answerTo("192.0.2." + std::to_string(client / 9), guess), "3");
    EXPECT_EQ(answerTo("198.51.100.1", right), "3");
    EXPECT_EQ(post(right), "3");
    std::ofstream(m_php.folder() / "attempts.txt", std::ios::trunc).flush();
    EXPECT_EQ(post(right), "0");
}

TEST_F(ReciprocalPhpScriptTest, ALockOutOutlastsOneFailureEachFromThousandsOfAddresses)
{
    const std::string now = std::to_string(std::time(nullptr));
    std::string record = "127.0.0.1\t" + std::to_string(std::time(nullptr) + 900) + "\t\n";
    for (int client = 0; client < 2000; ++client)
        record += "10.0." + std::to_string(client / 250) + "." + std::to_string(client % 250) + "\t0\t" + now
            + "\n";
    std::ofstream(m_php.folder() / "attempts.txt", std::ios::trunc) << record;
    EXPECT_EQ(answerTo("10.9.9.9", "test=1&password=guess"), "3");
    EXPECT_EQ(post("test=1&password=" + formValue(kPassword)), "3");
}

TEST_F(ReciprocalPhpScriptTest, UnreadableListShowsAnEmptyPageWithoutWarnings)
{
    EXPECT_EQ(post(addForm(kPassword, "<a href=\"http://x.example/\">x</a>")), scriptUrl() + "?page=1");
    std::filesystem::permissions(m_php.folder() / "links.txt", std::filesystem::perms::owner_write);
    const httplib::Result page = send("GET", "page=1");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->body.find("<li>"), std::string::npos) << page->body;
    EXPECT_EQ(page->body.find("Warning"), std::string::npos) << page->body;
    EXPECT_EQ(page->body.find(m_php.folder().string()), std::string::npos) << page->body;
}

TEST_F(ReciprocalPhpScriptTest, FullPageStartsTheNextOne)
{
    const auto link = [](int number) {
        return "<a href=\"http://dir" + std::to_string(number) + ".example/\">x</a>";
    };
    for (int number = 1; number <= 25; ++number)
        ASSERT_EQ(post(addForm(kPassword, link(number))), scriptUrl() + "?page=1");
    m_messages.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(m_script.addDirectoryLink(scriptUrl(), kPassword, link(26)), scriptUrl() + "?page=2");
    EXPECT_EQ(dataFile("idx.txt"), "2");
    EXPECT_EQ(dataFile("lc.txt"), "1");
    const std::string second = fetch(scriptUrl() + "?page=2");
    EXPECT_NE(second.find("dir26.example"), std::string::npos);
    EXPECT_EQ(second.find("dir25.example"), std::string::npos);
}

TEST_F(ReciprocalPhpScriptTest, WrongPasswordTouchesNoFile)
{
    const std::string before = linkFiles();
    m_messages.answerNext(MessageAnswer::Yes);
    EXPECT_FALSE(m_script.addDirectoryLink(scriptUrl(), "wrong", "<a href=\"http://x.example/\">x</a>"));
    EXPECT_TRUE(lastMessage().starts_with("Reciprocal script misconfiguration: invalid password."));
    EXPECT_EQ(linkFiles(), before);
}

// Apache reads .htaccess; PHP's own server does not, so its rules are checked
// as written: everything in the folder is refused, and only interact.php is
// let through, for both Apache 2.4 and 2.2.
TEST(ReciprocalHtaccessTest, OnlyTheScriptIsServed)
{
    std::ifstream in(kScriptFolder / ".htaccess");
    ASSERT_TRUE(in);
    std::set<std::string> granted;
    bool deniedNew = false;
    bool deniedOld = false;
    const std::regex files(R"re(^\s*<Files(Match)?\s+"?([^">]*)"?\s*>)re", std::regex::icase);
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, files))
            granted.insert(match[1].str() + match[2].str());
        deniedNew = deniedNew || std::regex_search(line, std::regex(R"(^\s*Require all denied\s*$)"));
        deniedOld = deniedOld || std::regex_search(line, std::regex(R"(^\s*Deny from all\s*$)"));
    }
    EXPECT_TRUE(deniedNew);
    EXPECT_TRUE(deniedOld);
    EXPECT_EQ(granted, std::set<std::string> { "interact.php" });
}

class ReciprocalPhpScriptDelayTest : public ReciprocalPhpScriptTest {
protected:
    ReciprocalPhpScriptDelayTest()
        : ReciprocalPhpScriptTest(std::vector<std::string> {})
    {
    }
};

TEST_F(ReciprocalPhpScriptDelayTest, AWrongPasswordIsAnsweredAfterASecond)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(post("test=1&password=guess"), "3");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(950));
}

} // namespace
