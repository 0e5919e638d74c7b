// The whole submission flow in the main window, against a directory served on
// loopback: choose the directory, see its page filled, submit it, see the
// confirmation recorded in the list and, after Save All, in sv.xml.

#include "MainWindowTesting.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/DirectoryListController.h"
#include "app/ui/DirectoryListView.h"
#include "app/ui/DirectoryPanel.h"
#include "app/ui/MainMenus.h"
#include "filling/web/FillingWebPage.h"
#include "profiles/SubmissionDate.h"
#include "support/NamedChild.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>

#include <mutex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

const std::string kDirectoryPage = R"(<!DOCTYPE html>
<html><head><title>Suggest a link</title></head><body>
<h1>Suggest a link</h1>
<form action="/submit.php" method="post"><table>
<tr><td>Title</td><td><input type="text" name="TITLE" size="40"></td></tr>
<tr><td>URL</td><td><input type="text" name="URL" value="http://"></td></tr>
<tr><td>Description</td><td><textarea name="DESCRIPTION" rows="4" cols="40"></textarea></td></tr>
<tr><td>Keywords</td><td><input type="text" name="META_KEYWORDS"></td></tr>
<tr><td>Your e-mail</td><td><input type="text" name="OWNER_EMAIL"></td></tr>
<tr><td>Category</td><td><select name="CATEGORY_ID"><option value="0">Choose a category</option>
<option value="1">Arts</option><option value="2">|_ Arts Painting</option><option value="3">Business</option>
<option value="4">|_ Business Consulting</option><option value="5">|_ Business Marketing</option></select></td></tr>
</table><input type="submit" name="submit" value="Continue"></form>
</body></html>)";

const std::string kConfirmationPage =
    "<html><body><h1>Thank you!</h1><p>Your link was received and awaits review.</p></body></html>";

const std::string kItems = R"(<item name="TITLE" type="edit" index="0" value="#title#"/>)"
                           R"(<item name="URL" type="edit" index="0" value="#url#"/>)"
                           R"(<item name="DESCRIPTION" type="edit" index="0" value="#desc#"/>)"
                           R"(<item name="META_KEYWORDS" type="edit" index="0" value="#keywords#"/>)"
                           R"(<item name="CATEGORY_ID" type="select" index="0" value=""/>)";

const std::string kProfile = profileElement("My Site",
    "<categories>Business</categories><subcategories>Consulting</subcategories>"
    "<title>My Site - widgets made to order</title><title>Widgets by My Site</title>"
    "<description>Widgets of every kind, made to order.</description>"
    "<keywords>widgets, gadgets</keywords><reciprocalmethod>0</reciprocalmethod>");

QJsonArray fieldValues(QWebEnginePage& page)
{
    const QVariant values = evaluate(page, QStringLiteral(R"(JSON.stringify([
        document.getElementsByName('TITLE')[0].value, document.getElementsByName('URL')[0].value,
        document.getElementsByName('DESCRIPTION')[0].value, document.getElementsByName('META_KEYWORDS')[0].value,
        document.getElementsByName('OWNER_EMAIL')[0].value, document.getElementsByName('CATEGORY_ID')[0].selectedIndex]))"));
    return QJsonDocument::fromJson(values.toString().toUtf8()).array();
}

TEST(SubmissionEndToEndTest, AChosenDirectoryIsFilledSubmittedAndRecorded)
{
    LoopbackServer server;
    std::mutex refererLock;
    std::string referer;
    server.handle("/add.php", [&](const httplib::Request& request, httplib::Response& response) {
        const std::lock_guard lock(refererLock);
        referer = request.get_header_value("Referer");
        response.set_content(kDirectoryPage, "text/html");
    });
    server.serve("/submit.php", 200, kConfirmationPage, "text/html");
    server.serve("/search", 200, "Rank_1:1:4");
    server.closeConnectionsAfterEachAnswer();
    server.start();

    MainWindowFixture fixture;
    fixture.writeSettings({}, server.host());
    fixture.writeDatabase(directoryElement("Other Directory", 6, "about:blank#other")
        + directoryElement("Widget Links", 4, server.url("/add.php"),
            R"(onsubmit="awaits review" category="General")", kItems));
    fixture.writeProfiles(kProfile, "My Site");
    CQuenlarDlg& window = fixture.start();
    ASSERT_EQ(fixture.rowTexts()[1], "Widget Links[pr4] [not sent]");

    fixture.clickRow(1);
    ASSERT_EQ(fixture.tabCount(), 2);
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    const int slot = tabs.currentSlot();
    EXPECT_EQ(child<QTabBar>(tabs, "tabBar")->tabText(child<QTabBar>(tabs, "tabBar")->currentIndex()),
        QStringLiteral("Widget Links"));
    BrowserTab* tab = tabs.tab(slot);
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(waitUntil([&] { return fieldValues(*tab->page()).at(5).toInt() == 4; }, 30000))
        << "the category was not chosen";
    const QJsonArray filled = fieldValues(*tab->page());
    EXPECT_EQ(filled.at(0).toString(), QStringLiteral("My Site - widgets made to order"));
    EXPECT_EQ(filled.at(1).toString(), QStringLiteral("http://www.mysite.example/"));
    EXPECT_EQ(filled.at(2).toString(), QStringLiteral("Widgets of every kind, made to order."));
    EXPECT_EQ(filled.at(3).toString(), QStringLiteral("widgets, gadgets"));
    // No item names the e-mail field; its label does, and recognition fills it.
    EXPECT_EQ(filled.at(4).toString(), QStringLiteral("me@mysite.example"));
    EXPECT_EQ(child<QLineEdit>(tabs, "addressEdit")->text(), QString::fromStdString(server.url("/add.php")));
    EXPECT_TRUE(
        waitUntil([&] { return child<QLabel>(tabs, "pageRankLabel")->text() == QStringLiteral("PR 4"); }));

    evaluate(*tab->page(), QStringLiteral("document.querySelector('input[type=submit]').click()"));
    ASSERT_TRUE(waitUntil([&] { return fixture.rowTexts()[1] == "Widget Links[pr4] [sent]"; }, 30000));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->sentLabel()->text(),
        QStringLiteral("Sent to 1 directory"));
    EXPECT_EQ(child<DirectoryPanel>(window, "directoryPanel")->list()->selectedRow(), 1);

    window.menus().saveAll->trigger();
    const std::string saved = fixture.folder.read("sv.xml");
    EXPECT_THAT(saved, HasSubstr("<friendlyname>Widget Links</friendlyname>"));
    EXPECT_THAT(saved, HasSubstr("<title>My Site - widgets made to order</title>"));
    EXPECT_THAT(saved, HasSubstr("<description>Widgets of every kind, made to order.</description>"));
    EXPECT_THAT(saved, HasSubstr("<keywords>widgets, gadgets</keywords>"));
    EXPECT_THAT(
        saved, HasSubstr("<datetime>" + SendingProfile::submissionDate(fixture.clock) + "</datetime>"));
    EXPECT_TRUE(fixture.messages.empty());

    // The page was asked for with the directory's own site as the Referer, and its form was posted filled.
    {
        const std::lock_guard lock(refererLock);
        EXPECT_EQ(referer, server.url("/"));
    }
    bool postedFilled = false;
    for (const SeenRequest& request : server.requests())
        postedFilled = postedFilled
            || (request.method == "POST" && request.body.find("CATEGORY_ID=4") != std::string::npos);
    EXPECT_TRUE(postedFilled);
}

} // namespace
