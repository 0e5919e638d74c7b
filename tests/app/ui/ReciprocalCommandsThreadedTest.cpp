// The main window's reciprocal link commands against a script answered on
// loopback: the tab tool bar's "Reciprocal" button and "Add Reciprocal Link".

#include "ReciprocalTesting.h"

#include "app/ui/MainMenus.h"
#include "app/ui/ReciprocalCommands.h"
#include "support/NamedChild.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kCode =
    R"(<a href="http://widgets.example/?a=1&b=2&ref=my%20site">The "Widget" <b>Directory</b></a>)";
const std::string kPassword = "pw&1 #";
const std::string kPlacedAt = "http://www.mysite.example/links/interact.php?page=2";

constexpr const char* kNoUrlField =
    "The reciprocal link was added to your site but Vantelo was unable to detect the appropriate field for "
    "the "
    "reciprocal URL on this page. The reciprocal URL was copied to the clipboard for you to paste it in the "
    "appropriate place before submitting.";
constexpr const char* kWrongPassword = "Reciprocal script misconfiguration: invalid password. Please make "
                                       "sure the password supplied in your profile "
                                       "reciprocal configuration matches the one you added in your "
                                       "config.php. See the user manual for more details.";
constexpr const char* kCodeRefused =
    "The reciprocal script refused this link code. It accepts one link to an http:// or https:// address "
    "with a text or one image, of at most 4 KB, and nothing else. See the user manual for more details.";
constexpr const char* kUnknownAnswer = "Unknown error. The reciprocal script may not be properly uploaded. "
                                       "Please see the user manual for more details.";
constexpr const char* kCustomLinkAdded = "The reciprocal link was added to your site. The reciprocal URL was "
                                         "copied to the clipboard for you to paste "
                                         "it in the appropriate place before submitting.";

// The question that shows a directory's link code before it is sent.
RecordedMessage codeQuestion(const std::string& code)
{
    return RecordedMessage { "Vantelo will add this link code from the directory's page to your site:\n\n"
            + code + "\n\nAdd it?",
        "Vantelo", MessageIcon::Question, true, MessageButtons::YesNo };
}

// A directory page and the user's script, both on one loopback server, and the
// main window with a profile of either method.
class ReciprocalCommandsThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/interact.php", 200, kPlacedAt);
        m_server.serve("/thanks.html", 200, "<html><body>Thank you</body></html>", "text/html");
        m_server.closeConnectionsAfterEachAnswer();
    }

    CQuenlarDlg& start(int method, bool urlField = true, const std::string& pageScript = {})
    {
        std::string page = reciprocalDirectoryPage(kCode, urlField);
        page.insert(page.find("</body>"), pageScript);
        m_server.serve("/add.php", 200, page, "text/html");
        m_server.start();
        m_fixture.writeDatabase(
            directoryElement("Widget Links", 4, m_server.url("/add.php"), {}, kReciprocalItems));
        m_fixture.writeProfiles(
            reciprocalProfile(method, m_server.url("/interact.php"), "pw&amp;1 #"), "My Site");
        return m_fixture.start();
    }

    // Opens the directory and waits until its page has been filled.
    void openDirectory(CQuenlarDlg& window)
    {
        m_fixture.clickRow(0);
        ASSERT_TRUE(
            waitUntil([&] { return fieldValue(window, "TITLE") == QStringLiteral("My Site"); }, 30000));
    }

    // Presses the tab's "Reciprocal" button with the answer to its question, and
    // waits until it has shown this many messages.
    void pressReciprocal(CQuenlarDlg& window, MessageAnswer answer, std::size_t messages)
    {
        m_fixture.messages.answerNext(answer);
        reciprocalButton(window)->trigger();
        ASSERT_TRUE(waitUntil([&] { return m_fixture.messages.messages().size() >= messages; }));
    }

    // The passwords and link codes the script was sent, decoded. Each went in a
    // POST form to the script's bare address.
    std::vector<std::pair<std::string, std::string>> scriptRequests() const
    {
        std::vector<std::pair<std::string, std::string>> sent;
        for (const SeenRequest& request : m_server.requests()) {
            if (!request.target.starts_with("/interact.php"))
                continue;
            EXPECT_EQ(request.target, "/interact.php");
            EXPECT_EQ(request.method, "POST");
            // Nothing in the form is left for the server to read as a separator but "&" and "=".
            EXPECT_EQ(request.body.find_first_of(" <>\"#+"), std::string::npos) << request.body;
            std::string password;
            std::string code;
            for (const QString& pair : QString::fromStdString(request.body).split(QLatin1Char('&'))) {
                const QString value =
                    QUrl::fromPercentEncoding(pair.mid(pair.indexOf(QLatin1Char('=')) + 1).toUtf8());
                (pair.startsWith(QLatin1String("password=")) ? password : code) = value.toStdString();
            }
            sent.emplace_back(password, code);
        }
        return sent;
    }

    LoopbackServer m_server;
    MainWindowFixture m_fixture;
};

TEST_F(ReciprocalCommandsThreaded, TheButtonPlacesTheTabsCodeAndWritesTheAddressIntoTheForm)
{
    CQuenlarDlg& window = start(SendingProfile::kReciprocalAutomatic);
    EXPECT_TRUE(window.menus().addReciprocalLink->isEnabled());
    openDirectory(window);
    ASSERT_TRUE(waitUntil([&] { return reciprocalButton(window)->isEnabled(); }));
    EXPECT_EQ(reciprocalButton(window)->toolTip(), QStringLiteral("Add a reciprocal link to this directory"));

    // A refusal shows its message and writes nothing; so does an answer that is
    // no address, such as a PHP error page.
    for (const char* answer : { "3 wrong password", "<br />\n<b>Parse error</b>: in /var/www/config.php" }) {
        SCOPED_TRACE(answer);
        m_fixture.messages.clear();
        m_server.serve("/interact.php", 200, answer);
        pressReciprocal(window, MessageAnswer::Yes, 2);
        EXPECT_THAT(m_fixture.messages.messages(),
            ElementsAre(
                codeQuestion(kCode), vanteloError(answer[0] == '3' ? kWrongPassword : kUnknownAnswer)));
        EXPECT_EQ(fieldValue(window, "RECIP_URL"), QString());
    }

    m_fixture.messages.clear();
    m_server.serve("/interact.php", 200, kPlacedAt);
    pressReciprocal(window, MessageAnswer::Yes, 1);
    ASSERT_TRUE(
        waitUntil([&] { return fieldValue(window, "RECIP_URL") == QString::fromStdString(kPlacedAt); }));
    EXPECT_THAT(m_fixture.messages.messages(), ElementsAre(codeQuestion(kCode)));
    // The code as the page shows it, and the password with its "&", arrive intact.
    EXPECT_THAT(scriptRequests(),
        ElementsAre(std::pair(kPassword, kCode), std::pair(kPassword, kCode), std::pair(kPassword, kCode)));

    // A page without a link code turns the button off again.
    const BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    tab->navigate(m_server.url("/thanks.html"));
    ASSERT_TRUE(waitUntil([&] { return !reciprocalButton(window)->isEnabled(); }));
    EXPECT_EQ(reciprocalButton(window)->toolTip(),
        QStringLiteral("No reciprocal field was detected for this page"));

    // Without a tab the button is off and says why.
    child<BrowserTabArea>(window, "browserTabs")->CloseCurrentTab();
    child<BrowserTabArea>(window, "browserTabs")->CloseCurrentTab();
    EXPECT_FALSE(reciprocalButton(window)->isEnabled());
    EXPECT_EQ(reciprocalButton(window)->toolTip(),
        QStringLiteral("No reciprocal field was detected for this page"));
}

TEST_F(ReciprocalCommandsThreaded, APageWithoutTheAddressFieldGetsTheAddressOnTheClipboard)
{
    CQuenlarDlg& window = start(SendingProfile::kReciprocalAutomatic, false);
    openDirectory(window);
    ASSERT_TRUE(waitUntil([&] { return reciprocalButton(window)->isEnabled(); }));
    QGuiApplication::clipboard()->clear();
    pressReciprocal(window, MessageAnswer::Yes, 2);
    EXPECT_THAT(m_fixture.messages.messages(),
        ElementsAre(codeQuestion(kCode), shown(kNoUrlField, "Vantelo", MessageIcon::Warning)));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(kPlacedAt));
}

TEST_F(ReciprocalCommandsThreaded, ACodeThePageChangesAfterTheFillIsShownAsItIsNow)
{
    // The page swaps its link code once the fill has written the title.
    const std::string hostile = "<script>location='http://evil.example/'</script>";
    CQuenlarDlg& window = start(SendingProfile::kReciprocalAutomatic, true,
        "<script>document.getElementsByName('TITLE')[0].addEventListener('change', () => {"
        "document.getElementsByName('RECIP_CODE')[0].value = \""
            + std::string("<script>location='http://evil.example/'<\\/script>") + "\"; });</script>");
    openDirectory(window);
    ASSERT_TRUE(
        waitUntil([&] { return fieldValue(window, "RECIP_CODE") == QString::fromStdString(hostile); }));
    ASSERT_TRUE(waitUntil([&] { return reciprocalButton(window)->isEnabled(); }));

    // Declined once it is seen: nothing is sent.
    pressReciprocal(window, MessageAnswer::No, 1);
    EXPECT_THAT(m_fixture.messages.messages(), ElementsAre(codeQuestion(hostile)));
    EXPECT_THAT(scriptRequests(), IsEmpty());

    // Accepted: the script gets what the page shows and refuses it.
    m_fixture.messages.clear();
    m_server.serve("/interact.php", 200, "4");
    pressReciprocal(window, MessageAnswer::Yes, 2);
    EXPECT_THAT(
        m_fixture.messages.messages(), ElementsAre(codeQuestion(hostile), vanteloError(kCodeRefused)));
    EXPECT_THAT(scriptRequests(), ElementsAre(std::pair(kPassword, hostile)));
    EXPECT_EQ(fieldValue(window, "RECIP_URL"), QString());
}

TEST_F(ReciprocalCommandsThreaded, AProfileWithoutScriptSendsNothing)
{
    bool asked = false;
    m_fixture.seams.askCode = [&](QWidget*) {
        asked = true;
        return std::optional<std::string>(kCode);
    };
    CQuenlarDlg& window = start(SendingProfile::kReciprocalManual);
    openDirectory(window);
    EXPECT_FALSE(reciprocalButton(window)->isEnabled());
    EXPECT_EQ(reciprocalButton(window)->toolTip(),
        QStringLiteral("Automatic reciprocal management is disabled for the current profile"));
    EXPECT_FALSE(window.menus().addReciprocalLink->isEnabled());

    // Even when asked directly, neither command asks for a code or reaches the script.
    window.reciprocalCommands().addReciprocalLink();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    const int slot = tabs.currentSlot();
    window.reciprocalCommands().placeLinkForTab(*tabs.tab(slot), tabs.tabSlots()[slot]);
    EXPECT_FALSE(asked);
    EXPECT_THAT(scriptRequests(), IsEmpty());
    EXPECT_TRUE(m_fixture.messages.empty());
}

TEST_F(ReciprocalCommandsThreaded, AddReciprocalLinkSendsTheTypedCodeAndCopiesTheAddress)
{
    QWidget* parent = nullptr;
    std::optional<std::string> answer;
    m_fixture.seams.askCode = [&](QWidget* asking) {
        parent = asking;
        return answer;
    };
    CQuenlarDlg& window = start(SendingProfile::kReciprocalAutomatic);

    // Cancelled: nothing is sent.
    window.menus().addReciprocalLink->trigger();
    EXPECT_EQ(parent, &window);
    EXPECT_THAT(scriptRequests(), IsEmpty());

    QGuiApplication::clipboard()->clear();
    answer = "<a href=\"http://mine.example/\">mine</a>\n";
    window.menus().addReciprocalLink->trigger();
    EXPECT_THAT(scriptRequests(), ElementsAre(std::pair(kPassword, *answer)));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(kPlacedAt));
    EXPECT_THAT(m_fixture.messages.messages(),
        ElementsAre(shown(kCustomLinkAdded, "Vantelo", MessageIcon::Information)));
}

} // namespace
