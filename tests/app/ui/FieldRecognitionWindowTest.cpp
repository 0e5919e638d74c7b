// A directory that describes no field at all, on a page whose names say nothing
// and whose labels say everything: the main window fills it on the directory's
// own site, says so in the status line, fills it elsewhere only when asked, and
// leaves it to the form items alone when recognition is turned off.

#include "MainWindowTesting.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/TabToolBar.h"
#include "filling/web/FillingWebPage.h"
#include "support/NamedChild.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStatusBar>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace {

std::string pageFile(const std::string& name)
{
    std::ifstream file(std::string(VANTELO_SOURCE_DIR) + "/tests/autofill/pages/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The page's fields in order: title, address, description, first and last name,
// e-mail, phone, the terms box, and the trap for robots.
QJsonArray fieldValues(QWebEnginePage& page)
{
    const QVariant values = evaluate(page, QStringLiteral(R"(JSON.stringify(
        Array.from(document.querySelectorAll('input:not([type=checkbox]),textarea'), (f) => f.value)
            .concat([document.querySelector('input[type=checkbox]').checked])))"));
    return QJsonDocument::fromJson(values.toString().toUtf8()).array();
}

// Runs a step and waits for the tab's next fill run, which follows every load.
bool stepAndWaitForRun(BrowserTab& tab, const std::function<void()>& step)
{
    bool ran = false;
    const QMetaObject::Connection connection =
        QObject::connect(&tab, &BrowserTab::filled, [&] { ran = true; });
    step();
    const bool done = waitUntil([&] { return ran; }, 30000);
    QObject::disconnect(connection);
    return done;
}

TEST(FieldRecognitionWindowTest, ALabelOnlyPageIsFilledOnItsOwnSiteAndElsewhereOnlyWhenAsked)
{
    LoopbackServer server;
    server.serve("/submit-your-site/", 200, pageFile("wpforms.html"), "text/html");
    server.start();
    MainWindowFixture fixture;
    fixture.writeDatabase(directoryElement("Builder Links", 3, server.url("/submit-your-site/")));
    fixture.writeProfiles(
        profileElement("My Site", "<title>My Site</title><description>Widgets made to order.</description>"),
        "My Site");
    CQuenlarDlg& window = fixture.start();
    BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");

    fixture.clickRow(0);
    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(waitUntil(
        [&] { return fieldValues(*tab->page()).at(5).toString() == QStringLiteral("me@mysite.example"); },
        30000));
    const QJsonArray filled = fieldValues(*tab->page());
    const std::vector<std::string> expected { "My Site", "http://www.mysite.example/",
        "Widgets made to order.", "Jo", "Doe", "me@mysite.example", "", "" };
    for (int at = 0; at < static_cast<int>(expected.size()); ++at)
        EXPECT_EQ(filled.at(at).toString().toStdString(), expected[static_cast<std::size_t>(at)])
            << "field " << at;
    EXPECT_TRUE(filled.at(8).toBool());
    EXPECT_TRUE(waitUntil([&] {
        return window.statusBar()->currentMessage()
            == QStringLiteral("Filled 7 fields, 7 of them recognised");
    }));

    // The same page under another host name is another site: not filled until asked.
    const std::string elsewhere =
        "http://localhost:" + server.url("/").substr(server.url("/").rfind(':') + 1);
    ASSERT_TRUE(stepAndWaitForRun(*tab, [&] { tab->navigate(elsewhere + "submit-your-site/"); }));
    ASSERT_EQ(fieldValues(*tab->page()).size(), 9);
    EXPECT_EQ(fieldValues(*tab->page()).at(5).toString(), QString());
    EXPECT_EQ(window.statusBar()->currentMessage(), QString());
    child<TabToolBar>(tabs, "tabToolBar")->fillAction()->trigger();
    ASSERT_TRUE(waitUntil(
        [&] { return fieldValues(*tab->page()).at(5).toString() == QStringLiteral("me@mysite.example"); }));
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Filled 7 fields, 7 of them recognised"));

    // Turned off, recognition leaves the page to the form items, which name nothing here.
    window.state().settings().recognizeForms = false;
    ASSERT_TRUE(stepAndWaitForRun(*tab, [&] { tab->navigate(server.url("/submit-your-site/")); }));
    EXPECT_EQ(fieldValues(*tab->page()).at(5).toString(), QString());
    EXPECT_TRUE(waitUntil([&] {
        return window.statusBar()->currentMessage()
            == QStringLiteral("Filled 0 fields, 0 of them recognised");
    }));
}

} // namespace
