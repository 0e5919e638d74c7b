#include "WebTestPages.h"

#include "FillingTestSupport.h"
#include "autofill/FieldRecognizer.h"
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

// A page built to hurt: a field whose own script throws at every input event,
// labels that name each other, a label of a megabyte, frames nested far deeper
// than any form needs, and thousands of fields.
const std::string kHostilePage = R"(<!DOCTYPE html><html><body><form action="/add">
<label for="t">Site title</label><input id="t" name="t">
<span id="a" aria-labelledby="b">Contact</span><span id="b" aria-labelledby="a">e-mail</span>
<input name="loop" aria-labelledby="loop a b">
<label for="huge" id="hugeLabel"></label><input id="huge" name="huge">
<input name="mail" aria-label="E-mail">
<div id="many"></div></form>
<script>
  document.getElementsByName('t')[0].addEventListener('input', () => { throw new Error('the page fails'); });
  document.getElementById('hugeLabel').textContent = 'Website title '.repeat(80000);
  const many = document.getElementById('many');
  for (let i = 0; i < 2500; ++i)
    many.appendChild(document.createElement('input')).name = 'p' + i;
  let inner = document;
  for (let depth = 1; depth <= 7; ++depth) {
    const frame = inner.body.appendChild(inner.createElement('iframe'));
    inner = frame.contentDocument;
    inner.open();
    inner.write('<body><input name="deep' + depth + '" aria-label="Your e-mail"></body>');
    inner.close();
  }
</script></body></html>)";

TEST(WebFormBridgeTest, AHostilePageIsDescribedAndFilledWithinBounds)
{
    LoopbackServer server;
    server.serve("/hostile", 200, kHostilePage, "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();
    FillingWebPage page;
    ASSERT_TRUE(loadAndWait(page, server.url("/hostile")));
    WebFormBridge bridge(&page);
    FillingBench bench;
    std::vector<std::string> frames;
    std::size_t elements = 0;
    std::size_t longestLabel = 0;
    std::optional<WebFormRun> finished;
    bridge.run(
        [&](FormDocumentModel& model) {
            elements = model.elements().size();
            for (const FormElement& element : model.elements()) {
                longestLabel = std::max(longestLabel, element.cues.label.size());
                if (!element.cues.frame.empty())
                    frames.push_back(element.cues.frame);
            }
            bench.filler.fillRecognised(model, FieldRecognizer::shipped(), bench.profile, bench.tab);
        },
        [&](const WebFormRun& run) { finished = run; });
    ASSERT_TRUE(waitUntil([&] { return finished.has_value(); }, 60000));
    EXPECT_EQ(finished->end, WebFormRun::End::Applied);
    EXPECT_LE(elements, 20000u);
    EXPECT_LE(longestLabel, 200u);
    // Frames are followed four deep; the deeper ones are left alone.
    EXPECT_THAT(frames, ElementsAre("0", "0.0", "0.0.0", "0.0.0.0"));
    const QVariant values = evaluate(page, QStringLiteral(R"(JSON.stringify([
        document.getElementsByName('t')[0].value, document.getElementsByName('mail')[0].value,
        document.getElementsByName('huge')[0].value,
        document.querySelector('iframe').contentDocument.getElementsByName('deep1')[0].value]))"));
    EXPECT_EQ(values.toString().toStdString(),
        R"(["Site Title","owner@site.example","Site Title","owner@site.example"])");
}

} // namespace
