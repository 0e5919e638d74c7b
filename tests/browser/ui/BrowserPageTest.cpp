// Script dialogs of a real page on loopback: their caption, the answers that
// reach the page, the offer that stops a loop of them, and a page nobody
// watches that is answered at once.

#include "browser/ui/BrowserPage.h"
#include "GuiTestSupport.h"
#include "browser/ui/BrowserProfile.h"
#include "net/LoopbackServer.h"
#include "support/BrowserTestDoubles.h"
#include "support/RecordingMessageBox.h"

#include <QWebEngineScript>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

QVariant evaluateOn(QWebEnginePage& page, const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    page.runJavaScript(
        script, QWebEngineScript::MainWorld, [result](const QVariant& value) { *result = value; });
    waitUntil([&] { return result->has_value(); }, 30000);
    return result->value_or(QVariant());
}

bool load(QWebEnginePage& page, const std::string& url)
{
    std::optional<bool> finished;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &page, [&](bool ok) { finished = ok; });
    page.load(QUrl(QString::fromStdString(url)));
    waitUntil([&] { return finished.has_value(); }, 30000);
    return finished.value_or(false);
}

TEST(BrowserPageTest, ScriptDialogsNameTheHostAnswerThePageAndALoopCanBeStopped)
{
    LoopbackServer server;
    server.serve("/", 200, "<html><body>dialogs</body></html>", "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();
    ScriptedBrowserDialogs dialogs;
    RecordingMessageBox messages;
    BrowserProfile browser({}, { &dialogs, nullptr, &messages });
    {
        BrowserPage page(browser, nullptr);
        ASSERT_TRUE(load(page, server.url("/")));

        dialogs.pageAnswers = { PageDialogAnswer {}, PageDialogAnswer { true, {}, false },
            PageDialogAnswer { true, "Jo", false } };
        EXPECT_EQ(
            evaluateOn(page,
                QStringLiteral("alert('Hello <b>you</b>'); [confirm('Sure?'), prompt('Name?', 'guest')]"))
                .toList(),
            (QVariantList { true, QStringLiteral("Jo") }));
        ASSERT_EQ(dialogs.pageDialogs.size(), 3u);
        const std::string caption = server.host() + " says";
        EXPECT_EQ(dialogs.pageDialogs[0].caption, caption);
        EXPECT_EQ(dialogs.pageDialogs[0].kind, PageDialog::Kind::Alert);
        EXPECT_EQ(dialogs.pageDialogs[0].text, "Hello <b>you</b>");
        EXPECT_EQ(dialogs.pageDialogs[1].kind, PageDialog::Kind::Confirm);
        EXPECT_EQ(dialogs.pageDialogs[2].kind, PageDialog::Kind::Prompt);
        EXPECT_EQ(dialogs.pageDialogs[2].defaultValue, "guest");
        // The second and third came right after the one before: they offer to stop.
        EXPECT_FALSE(dialogs.pageDialogs[0].offerPrevent);
        EXPECT_TRUE(dialogs.pageDialogs[1].offerPrevent);

        // A loop: the user takes the offer, the rest are answered without being shown.
        dialogs.pageDialogs.clear();
        dialogs.pageAnswers = { PageDialogAnswer { true, {}, true } };
        EXPECT_EQ(evaluateOn(page,
                      QStringLiteral("let n = 0; for (let i = 0; i < 50; ++i) if (confirm('again?')) ++n; n"))
                      .toInt(),
            1);
        EXPECT_EQ(dialogs.pageDialogs.size(), 1u);
        EXPECT_TRUE(dialogs.pageDialogs[0].offerPrevent);
    }
    {
        // A page without anybody to ask is never held: OK for alerts, Cancel for the rest.
        BrowserPage quiet;
        ASSERT_TRUE(load(quiet, server.url("/")));
        EXPECT_EQ(evaluateOn(quiet, QStringLiteral("alert('x'); [confirm('y'), prompt('z', 'd')]")).toList(),
            (QVariantList { false, QVariant() }));
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace
