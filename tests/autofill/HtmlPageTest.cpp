// Pages read from their HTML must look to the recogniser as the same pages do
// in the browser. The pages under tests/autofill/pages say per field what a
// person would put there; each is read here with the HTML parser instead of
// the browser script.

#include "autofill/HtmlPage.h"
#include "autofill/FieldRecognizer.h"

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::Field;

namespace {

const std::filesystem::path kPages = std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/autofill/pages";
// Pages whose fields a script writes or a frame holds: only a browser sees those.
const std::set<std::string> kBrowserOnly = { "late", "react", "iframe" };

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// What a person would fill the field with, as the recognition decides it.
std::string filledMeaning(const FieldRecognition& field)
{
    return fillsFromProfile(field.meaning) && field.formKind == FormKind::Submission
        ? std::string(meaningName(field.meaning))
        : std::string();
}

TEST(HtmlPageTest, EveryKindOfPageIsRecognisedAsInTheBrowser)
{
    int pages = 0;
    int fields = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kPages)) {
        const std::filesystem::path description = entry.path();
        const std::filesystem::path html = std::filesystem::path(description).replace_extension(".html");
        const std::string name = description.stem().string();
        if (description.extension() != ".json" || !std::filesystem::exists(html) || kBrowserOnly.count(name))
            continue;
        ++pages;
        const HtmlPage page = readHtmlPage(fileText(html));
        const PageRecognition recognition = FieldRecognizer::shipped().recognise(page.forms);
        // The fields read, by name and position among those of the name.
        std::map<std::pair<std::string, int>, std::string> read;
        std::map<std::string, int> seen;
        for (std::size_t at = 0; at < page.forms.fields.size(); ++at) {
            const FormField& field = page.forms.fields[at];
            read[{ field.name, seen[field.name]++ }] = filledMeaning(recognition.fields[at]);
        }
        seen.clear();
        const nlohmann::json described = nlohmann::json::parse(fileText(description));
        for (const nlohmann::json& element : described["elements"]) {
            const std::string fieldName = element["name"];
            const auto found = read.find({ fieldName, seen[fieldName]++ });
            ASSERT_NE(found, read.end()) << name << " " << fieldName;
            EXPECT_EQ(found->second, element.value("expect", "")) << name << " " << fieldName;
            ++fields;
        }
    }
    std::cout << "[ pages    ] " << pages << " pages, " << fields << " fields\n";
    EXPECT_GE(pages, 15);
}

TEST(HtmlPageTest, ReadsTheCuesAPersonReadsAroundEachField)
{
    const HtmlPage page = readHtmlPage(R"(<!DOCTYPE html>
<html><head><title>  Add a site |
 Acme Links </title><base href="/dir/"><meta http-equiv="refresh" content="5; URL='next.html'"></head><body>
<table><form action="/add.php" method="post" id="f1" class="big">
<tr><td>Site title:</td><td><input name="t" maxlength="70" value="x"></td></tr>
<tr><td><label for="u">Address</label></td><td><input id="u" name="u" type="url" placeholder="http://" title="Your URL"></td></tr>
</form></table>
<form action="/other"><label>Mail <input name="m" autocomplete="email"></label>
<span id="cap">Secret</span><input name="s" aria-labelledby="cap" aria-label="word" tabindex="-1" readonly>
<div style="display: none"><input name="trap"></div>
<input name="off" style="position:absolute; left:-9999px">
<input type="checkbox" name="agree" style="opacity:0" id="ag"><label for="ag">I agree</label>
<fieldset disabled><input name="locked"></fieldset>
<select name="cat"><option>Choose</option><optgroup label="Arts"><option selected>Painting</option></optgroup></select>
<textarea name="d">
Old text</textarea>
<button type="submit" title="Send it">Go</button><input type="hidden" name="h" value="1">
</form>
<input name="outside" form="f1">
<noscript><input name="never"></noscript>
</body></html>)");
    EXPECT_EQ(page.title, "Add a site | Acme Links");
    EXPECT_EQ(page.baseHref, "/dir/");
    EXPECT_EQ(page.refresh, "next.html");
    ASSERT_EQ(page.forms.forms.size(), 2u);
    EXPECT_EQ(page.forms.forms[0].action, "/add.php");
    EXPECT_EQ(page.forms.forms[0].className, "big");
    EXPECT_THAT(page.forms.forms[1].submitTexts, ElementsAre("Go", "Send it"));

    std::map<std::string, FormField> fields;
    for (const FormField& field : page.forms.fields)
        fields[field.name] = field;
    EXPECT_EQ(fields.count("never"), 0u);
    // Fields of a form the parser left empty inside a table still belong to it.
    EXPECT_EQ(fields["t"].form, 0);
    EXPECT_EQ(fields["t"].cues.preceding, "Site title:");
    EXPECT_EQ(fields["t"].cues.maxLength, 70);
    EXPECT_EQ(fields["t"].cues.defaultValue, "x");
    EXPECT_EQ(fields["u"].cues.label, "Address");
    EXPECT_EQ(fields["u"].cues.placeholder, "http://");
    EXPECT_EQ(fields["u"].cues.title, "Your URL");
    EXPECT_EQ(fields["m"].cues.label, "Mail");
    EXPECT_EQ(fields["m"].cues.autocomplete, "email");
    EXPECT_EQ(fields["m"].form, 1);
    EXPECT_EQ(fields["s"].cues.ariaLabel, "Secret word");
    EXPECT_TRUE(fields["s"].cues.skipsTab);
    EXPECT_TRUE(fields["s"].cues.readOnly);
    EXPECT_TRUE(fields["trap"].cues.hidden);
    EXPECT_TRUE(fields["off"].cues.hidden);
    // A check box drawn by its page counts as seen when its label is.
    EXPECT_FALSE(fields["agree"].cues.hidden);
    EXPECT_EQ(fields["agree"].value, "on");
    EXPECT_TRUE(fields["locked"].cues.disabled);
    EXPECT_THAT(fields["cat"].options, ElementsAre("Choose", "Painting"));
    EXPECT_THAT(fields["cat"].cues.optionGroups, ElementsAre("", "Arts"));
    EXPECT_EQ(fields["cat"].selectedIndex, 1);
    EXPECT_EQ(fields["d"].value, "Old text");
    EXPECT_TRUE(fields["h"].cues.hidden);
    EXPECT_EQ(fields["outside"].form, 0);

    // Elements with a name or id, and every field, in document order.
    ASSERT_GE(page.elements.size(), 3u);
    EXPECT_EQ(page.elements[0].tag, "form");
    EXPECT_EQ(page.elements[0].id, "f1");
    EXPECT_EQ(page.elements[1].name, "t");
    EXPECT_EQ(page.elements[1].field, 0);
}

TEST(HtmlPageTest, ReadsEveryWayAPageLinksElsewhere)
{
    const HtmlPage page = readHtmlPage(R"(<html><body>
<a href="/a">Plain <b>text</b></a>
<a href="/img" title="Tip"><img src="/i/addurl.gif" alt="Add your site"></a>
<map><area href="/area" alt="Area text"></map>
<form action="/go.php" method="get"><input type="hidden" name="p" value="add site"><input type="submit" value="Add URL"></form>
<form action="/search"><input name="q"><input type="submit" value="Search"></form>
<button onclick="window.location.href='/btn.html'">Suggest a link</button>
<iframe src="/frame.php" title="Form"></iframe>
<a name="anchor-only">no href</a>
</body></html>)");
    EXPECT_THAT(page.links,
        ElementsAre(PageLink { "/a", "Plain text", "", "", "", false },
            PageLink { "/img", "", "Add your site", "/i/addurl.gif", "Tip", false },
            PageLink { "/area", "Area text", "", "", "", false },
            PageLink { "/btn.html", "Suggest a link", "", "", "", false },
            PageLink { "/frame.php", "", "", "", "Form", true },
            PageLink { "/go.php?p=add+site", "Add URL", "", "", "", false }));
}

TEST(HtmlPageTest, BadMarkupStaysBounded)
{
    // Nesting no real page has is not parsed at all.
    std::string deep;
    for (int level = 0; level < 100000; ++level)
        deep += "<div>";
    EXPECT_TRUE(readHtmlPage(deep).tooDeep);
    std::string formatting;
    for (int level = 0; level < 50000; ++level)
        formatting += "<b><i>";
    EXPECT_TRUE(readHtmlPage(formatting).tooDeep);

    // Thousands of links are read up to a cap; a long list of lines is fine.
    std::string links;
    for (int link = 0; link < 20000; ++link)
        links += "<p><a href=\"/l" + std::to_string(link) + "\">Link</a><br>";
    const HtmlPage many = readHtmlPage(links);
    EXPECT_FALSE(many.tooDeep);
    EXPECT_EQ(many.links.size(), 5000u);

    // Windows-1252 text is read as such; broken markup and NUL bytes do not stop the reader.
    const HtmlPage latin =
        readHtmlPage("<title>Caf\xE9 \x93links\x94</title><form><input name=a\0b><textarea");
    EXPECT_EQ(latin.title, "Caf\xC3\xA9 \xE2\x80\x9Clinks\xE2\x80\x9D");
    EXPECT_FALSE(readHtmlPage(std::string("<<<>>>&&&\0\0<form", 17)).tooDeep);
}

TEST(HtmlPageTest, HostilePagesAreReadAtOnce)
{
    // Each kept the reader busy for 20 s to three minutes: every end tag was taken
    // to close something, and every script or style copied the rest of the page.
    const auto repeated = [](std::string_view unit, int count) {
        std::string html;
        for (int at = 0; at < count; ++at)
            html += unit;
        return html;
    };
    const std::pair<std::string, bool> pages[] = {
        { repeated("<div></i>", 233000), true },
        { repeated("<script></script>", 60000), false },
        { repeated("<style></style>", 80000), false },
        // A hundred thousand tags two thousand deep cost the parser as much as a
        // hundred million tags of a plain page.
        { repeated("<div>", 1999) + repeated("<span></span>", 100000), true },
    };
    for (const auto& [html, tooDeep] : pages) {
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(readHtmlPage(html).tooDeep, tooDeep) << html.substr(0, 20);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << html.substr(0, 20);
    }
    // A cancelled read stops before the parser.
    const std::atomic<bool> cancel { true };
    EXPECT_TRUE(readHtmlPage("<form><input name=a></form>", &cancel).forms.fields.empty());
}

} // namespace
