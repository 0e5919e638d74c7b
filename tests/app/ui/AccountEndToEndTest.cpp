// An account at a directory, end to end in the main window against a directory
// served on loopback: its sign-up page gets a new password (and a field nobody
// can see gets none), the password is kept when the form is submitted, and the
// directory's sign-in page is then filled from the account.

#include "MainWindowTesting.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "filling/NewPassword.h"
#include "filling/web/FillingWebPage.h"
#include "support/NamedChild.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStatusBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

const std::string kSignUpPage = R"(<!DOCTYPE html><html><body><h1>Create your account</h1>
<form action="/joined.php" method="post">
<p><label>Your name <input name="realname"></label></p>
<p><label>E-mail <input type="email" name="mail"></label></p>
<p><label>User name <input name="login"></label></p>
<p><label>Password <input type="password" name="pw" maxlength="40"></label></p>
<p><label>Confirm password <input type="password" name="pw2"></label></p>
<input type="password" name="trap" style="opacity:0">
<input type="submit" value="Create account"></form></body></html>)";

const std::string kSignInPage = R"(<!DOCTYPE html><html><body><h1>Sign in</h1>
<form action="/in.php" method="post">
<p><label>User name <input name="login"></label></p>
<p><label>Password <input type="password" name="pw"></label></p>
<input type="submit" value="Sign in"></form></body></html>)";

// The values of the page's fields of these names.
std::vector<std::string> valuesOf(QWebEnginePage& page, const std::vector<std::string>& names)
{
    QString list;
    for (const std::string& name : names)
        list += QStringLiteral("'%1',").arg(QString::fromStdString(name));
    const QVariant values = evaluate(page,
        QStringLiteral("JSON.stringify([%1].map((n) => (document.getElementsByName(n)[0] || {}).value))")
            .arg(list));
    std::vector<std::string> texts;
    for (const QJsonValue value : QJsonDocument::fromJson(values.toString().toUtf8()).array())
        texts.push_back(value.toString().toStdString());
    return texts;
}

TEST(AccountEndToEndTest, ASignUpGetsANewPasswordThatTheSignInThenUses)
{
    LoopbackServer server;
    server.serve("/join.php", 200, kSignUpPage, "text/html");
    server.serve("/joined.php", 200, "<html><body><p>Welcome aboard!</p></body></html>", "text/html");
    server.serve("/login.php", 200, kSignInPage, "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();

    MainWindowFixture fixture;
    fixture.writeDatabase(directoryElement("Join Links", 3, server.url("/join.php")));
    fixture.writeProfiles(profileElement("My Site"), "My Site");
    CQuenlarDlg& window = fixture.start();
    fixture.clickRow(0);
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(waitUntil(
        [&] { return valuesOf(*tab->page(), { "pw" }).front().size() == kNewPasswordLength; }, 30000));
    const std::vector<std::string> signUp =
        valuesOf(*tab->page(), { "realname", "mail", "login", "pw", "pw2", "trap" });
    const std::string password = signUp[3];
    EXPECT_EQ(
        signUp, (std::vector<std::string> { "Jo Doe", "me@mysite.example", "jo", password, password, "" }));
    EXPECT_THAT(
        window.statusBar()->currentMessage().toStdString(), HasSubstr("a new password for this directory"));
    EXPECT_FALSE(window.state().accounts().find("My Site", "Join Links"));

    evaluate(*tab->page(), QStringLiteral("document.querySelector('input[type=submit]').click()"));
    ASSERT_TRUE(
        waitUntil([&] { return window.state().accounts().find("My Site", "Join Links").has_value(); }));
    EXPECT_EQ(window.state().accounts().find("My Site", "Join Links")->password, password);
    ASSERT_TRUE(waitUntil([&] {
        for (const SeenRequest& request : server.requests())
            if (request.target == "/joined.php" && request.method == "POST")
                return true;
        return false;
    }));

    tab->navigate(server.url("/login.php"));
    ASSERT_TRUE(waitUntil(
        [&] {
            return valuesOf(*tab->page(), { "login", "pw" }).back() == password;
        },
        30000));
    EXPECT_EQ(valuesOf(*tab->page(), { "login" }).front(), "jo");
}

} // namespace
