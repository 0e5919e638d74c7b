// The last step of a fill: fields that no form item names, recognised from what
// a person reads around them. The pages under tests/autofill/pages are
// descriptions of the kinds of submission pages found in the wild; each field
// says what a person would put there ("expect", "" where nothing belongs).

#include "FillingTestSupport.h"

#include "autofill/FieldRecognizer.h"
#include "filling/PageDescription.h"

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

using ::testing::ElementsAre;

namespace {

const std::filesystem::path kPages = std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/autofill/pages";

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(RecognisedFillTest, FillsEveryKindOfPageAsAPersonWould)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kPages)) {
        if (entry.path().extension() == ".json")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 15u);
    int wanted = 0;
    int right = 0;
    int wrong = 0;
    for (const std::filesystem::path& file : files) {
        const std::string text = fileText(file);
        FormDocumentModel page = readPageDescription(text);
        const nlohmann::json elements = nlohmann::json::parse(text)["elements"];
        ASSERT_EQ(page.elements().size(), elements.size()) << file;
        FillingBench bench;
        bench.profile = recognitionProfile();
        writeProfileFiles(bench.profile, bench.folder);
        bench.filler.fillRecognised(page, FieldRecognizer::shipped(), bench.profile, bench.tab, true);
        std::map<ElementHandle, std::string> given;
        for (const RecognisedField& field : bench.tab.recognised)
            given[field.element] = meaningName(field.meaning);

        for (ElementHandle at = 0; at < elements.size(); ++at) {
            // A password goes in only with the directory's account, on its own site (AccountFill).
            std::string expected = elements[at].value("expect", "");
            if (expected == "password")
                expected.clear();
            const std::string meaning = given.count(at) ? given[at] : "";
            const std::string where = file.filename().string() + " " + page.elements()[at].name;
            const FormElement& element = page.elements()[at];
            const std::string value = element.tag == "select"
                ? (element.selectedIndex >= 0 ? element.options.at(element.selectedIndex) : "")
                : element.type == "file" ? (element.files.empty() ? "" : element.files[0])
                : (element.type == "checkbox" || element.type == "radio") ? (element.checked ? "checked" : "")
                                                                          : element.value;
            const bool valueRight = filledRight(expected, elements[at].value("expectvalue", ""), value);
            EXPECT_EQ(meaning, expected) << where;
            if (!expected.empty()) {
                EXPECT_TRUE(valueRight) << where << " holds \"" << value << "\"";
                ++wanted;
                right += meaning == expected && valueRight;
            } else if (!meaning.empty()) {
                ++wrong;
            }
        }
    }
    std::cout << "[ share    ] " << right << " of " << wanted << " fields filled right, " << wrong
              << " filled that must stay empty\n";
    EXPECT_EQ(wrong, 0);
}

TEST(RecognisedFillTest, RecognitionFillsOnlyWhatTheItemsAndThePersonLeftAlone)
{
    FillingBench bench;
    bench.openDirectory("Dir",
        { item("site_name", ControlType::Edit, 0, "#email#"), item("about", ControlType::ReciprocalText, 0),
            item("cat", ControlType::Select, 0) });
    bench.setGeneralItems({ item("URL", ControlType::Edit, 0, "#url#") });
    bench.profile.reciprocal = "http://www.site.example/links.html";
    bench.profile.reciprocalMethod = SendingProfile::kReciprocalAutomatic;
    const auto labelled = [](FormElement element, const std::string& label,
                              const std::string& defaultValue = {}) {
        element.cues.label = label;
        element.cues.defaultValue = defaultValue;
        return inForm(element, 0);
    };
    FormDocumentModel page({
        labelled(input("site_name"), "Site title"),
        labelled(input("URL"), "URL"),
        labelled(textArea("about", "old link code"), "Description"),
        labelled(input("kw", "text", "typed by hand"), "Keywords"),
        labelled(input("f5"), "E-mail"),
        labelled(input("url2", "text", "http://"), "Website title", "http://"),
        labelled(dropDown("cat", { "Choose", "Arts" }), "Category"),
        labelled(input("recip"), "Reciprocal link URL"),
        labelled(input("URL"), "Second URL"),
    });
    bench.filler.fillPage(page, bench.profile, bench.tab);
    bench.filler.fillCategory(page, bench.profile, bench.tab);
    const int filled =
        bench.filler.fillRecognised(page, FieldRecognizer::shipped(), bench.profile, bench.tab);

    EXPECT_EQ(filled, 2);
    // An item writes an input twice, once found among all elements and once among the inputs.
    EXPECT_THAT(writesOf(page),
        ElementsAre("site_name=owner@site.example", "site_name=owner@site.example",
            "URL=http://www.site.example/", "URL=http://www.site.example/", "f5=owner@site.example",
            "url2=Site Title"));
    EXPECT_THAT(bench.tab.recognised,
        ElementsAre(RecognisedField { 4, "f5", "", "", FieldMeaning::Email },
            RecognisedField { 5, "url2", "", "", FieldMeaning::SiteTitle }));
    EXPECT_FALSE(page.writes()[3].recognised);
    EXPECT_TRUE(page.writes()[4].recognised);
    EXPECT_EQ(bench.tab.picks.title, "Site Title");
    EXPECT_TRUE(bench.tab.formWatched);
}

TEST(RecognisedFillTest, ValuesAreWhatTemplatesGiveAndFilesGoOnlyToTheDirectorysSite)
{
    FillingBench bench;
    bench.profile.titles = { "#company#", "Widget shop" };
    bench.profile.descriptions = { "Write to #email#" };
    bench.profile.company = "Widget Works Ltd";
    bench.profile.pricing = "freemium";
    bench.profile.twitter = "https://twitter.com/widgets/";
    writeProfileFiles(bench.profile, bench.folder);
    const auto labelled = [](FormElement element, const std::string& label, int maxLength = -1) {
        element.cues.label = label;
        element.cues.maxLength = maxLength;
        return inForm(element, 0);
    };
    const std::vector<FormElement> elements {
        labelled(input("t"), "Site title", 12),
        labelled(textArea("d"), "Description"),
        labelled(input("c"), "Company"),
        labelled(input("pricing", "radio", "free"), "Free"),
        labelled(input("pricing", "radio", "freemium"), "Freemium"),
        labelled(input("tw", "text"), "Twitter handle"),
        labelled(input("logo", "file"), "Logo"),
    };
    for (const bool ownSite : { false, true }) {
        FormDocumentModel page(elements);
        bench.tab.picks.clear();
        bench.random.queue({ 0 });
        bench.filler.fillRecognised(page, FieldRecognizer::shipped(), bench.profile, bench.tab, ownSite);
        std::vector<std::string> expected { "t=Widget shop", "d=Write to owner@site.example",
            "c=Widget Works Ltd", "pricing:checked", "tw=@widgets" };
        if (ownSite)
            expected.push_back("logo<logo.png");
        EXPECT_EQ(writesOf(page), expected);
        // The slots keep the alternatives as a template's picks keep them.
        EXPECT_EQ(bench.tab.picks.description, "Write to #email#");
        EXPECT_EQ(page.elements()[4].checked, true);
    }
    // Without a company the field stays empty; it never gets the title.
    bench.profile.company.clear();
    FormDocumentModel page({ labelled(input("c"), "Company name") });
    EXPECT_EQ(bench.filler.fillRecognised(page, FieldRecognizer::shipped(), bench.profile, bench.tab), 0);
}

} // namespace
