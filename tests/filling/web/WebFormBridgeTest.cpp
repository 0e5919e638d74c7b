#include "WebTestPages.h"

#include "filling/FormSnapshot.h"
#include "filling/web/FillingWebPage.h"
#include "filling/web/WebFormBridge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::optional<WebPageDescription> describeAndWait(WebFormBridge& bridge, bool withSource)
{
    std::optional<WebPageDescription> described;
    bridge.describe([&](WebPageDescription description) { described = std::move(description); }, withSource);
    waitUntil([&] { return described.has_value(); });
    return described;
}

std::vector<std::string> outlineOf(const FormDocumentModel& page)
{
    std::vector<std::string> outline;
    for (const FormElement& element : page.elements())
        outline.push_back(
            element.tag + ":" + element.name + "#" + element.id + "@" + std::to_string(element.form));
    return outline;
}

TEST(WebFormBridgeTest, TheDescriptionMatchesThePage)
{
    LoopbackServer server;
    serveSubmissionSite(server);
    FillingWebPage page;
    ASSERT_TRUE(loadAndWait(page, server.url("/add")));
    WebFormBridge bridge(&page);
    const std::optional<WebPageDescription> described = describeAndWait(bridge, true);
    ASSERT_TRUE(described && described->status == WebPageDescription::Status::Described);
    const FormDocumentModel& model = described->model;

    EXPECT_THAT(outlineOf(model),
        ElementsAre("div:#intro@-1", "form:add#@-1", "input:url#@0", "input:url#url2@0", "input:pass#@0",
            "input:agree#@0", "textarea:desc#@0", "select:cat#@0", "input:#@0", "form:#search@-1",
            "input:q#@1", "input:loose#@-1"));
    const std::vector<FormElement>& elements = model.elements();
    EXPECT_EQ(elements[2].outerHtml, "<input name=\"url\" value=\"http://\">");
    EXPECT_EQ(elements[2].value, "http://");
    EXPECT_EQ(elements[3].type, "text");
    EXPECT_TRUE(elements[5].checked);
    EXPECT_EQ(elements[6].value, "old text");
    EXPECT_THAT(elements[7].options,
        ElementsAre("Pick one", "Business", "|_ Business Consulting", "|_ Business Consulting Firms"));
    EXPECT_EQ(elements[7].selectedIndex, 0);
    EXPECT_THAT(model.source().value_or(""), HasSubstr("<div id=\"intro\">Add your site</div>"));

    // The live markup tells the field kinds apart as the snapshot expects.
    std::vector<std::string> snapshot;
    for (const auto& [name, entry] : takeFormSnapshot(model))
        snapshot.push_back(name + std::to_string(entry.index) + "=" + entry.value);
    EXPECT_THAT(
        snapshot, ElementsAre("agree0=true", "desc0=old text", "loose0=", "q0=", "url0=http://", "url1="));
}

TEST(WebFormBridgeTest, WritesNeverLandOnADocumentLoadedSince)
{
    LoopbackServer server;
    serveSubmissionSite(server);
    FillingWebPage page;
    ASSERT_TRUE(loadAndWait(page, server.url("/add")));
    WebFormBridge bridge(&page);
    int loads = 0;
    QObject::connect(&page, &QWebEnginePage::loadFinished, [&] { ++loads; });
    std::vector<WebFormRun> runs;
    bridge.run(
        [&](FormDocumentModel& model) {
            model.setValue(*model.itemByName(ElementCollection::Inputs, "url", 0), "written");
            // The same page again, loaded in full before the writes go out.
            page.load(QUrl(QString::fromStdString(server.url("/add"))));
            waitUntil([&] { return loads == 1; });
        },
        [&](const WebFormRun& run) { runs.push_back(run); });
    ASSERT_TRUE(waitUntil([&] { return loads == 1 && runs.size() == 1; }));
    EXPECT_EQ(runs[0].end, WebFormRun::End::Abandoned);
    EXPECT_EQ(evaluate(page, QStringLiteral("document.getElementsByName('url')[0].value")).toString(),
        QStringLiteral("http://"));

    // A run begun on a page that then starts loading again is abandoned before its work.
    bool worked = false;
    runs.clear();
    bridge.run(
        [&](FormDocumentModel&) { worked = true; }, [&](const WebFormRun& run) { runs.push_back(run); });
    page.load(QUrl(QString::fromStdString(server.url("/add"))));
    ASSERT_TRUE(waitUntil([&] { return loads == 2 && runs.size() == 1; }));
    EXPECT_EQ(runs[0].end, WebFormRun::End::Abandoned);
    EXPECT_FALSE(worked);
}

TEST(WebFormBridgeTest, APageDestroyedMidRunEndsItQuietly)
{
    LoopbackServer server;
    serveSubmissionSite(server);
    auto* page = new FillingWebPage;
    ASSERT_TRUE(loadAndWait(*page, server.url("/add")));
    WebFormBridge outliving(page);
    auto* owned = new WebFormBridge(page, page);
    bool worked = false;
    std::vector<WebFormRun> runs;
    outliving.run(
        [&](FormDocumentModel&) { worked = true; }, [&](const WebFormRun& run) { runs.push_back(run); });
    owned->run(
        [&](FormDocumentModel&) { worked = true; }, [&](const WebFormRun& run) { runs.push_back(run); });
    // Let the descriptions go out, so that the page answers them while it is destroyed.
    QCoreApplication::processEvents();
    delete page;
    ASSERT_TRUE(waitUntil([&] { return !runs.empty(); }));
    QTest::qWait(200);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].end, WebFormRun::End::Abandoned);
    EXPECT_FALSE(worked);
}

} // namespace
