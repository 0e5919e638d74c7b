#include "FillingTestSupport.h"

#include "autofill/HtmlPage.h"
#include "filling/PageAnswer.h"
#include "filling/PageDescription.h"
#include "filling/UploadFile.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

TEST(PageDescriptionTest, ReadsEveryFieldOfTheElements)
{
    const FormDocumentModel page = readPageDescription(R"({"token":"doc-1","elements":[
        {"tag":"input","name":"url","id":"u","type":"text","html":"<input name=\"url\">","value":"v",
         "checked":true,"form":0},
        {"tag":"select","name":"cat","id":"","options":["One","Tw\u00f6"],"selected":1,"form":-1},
        {"tag":"a","name":"","id":"top"}]})");
    EXPECT_EQ(page.documentToken(), "doc-1");
    ASSERT_EQ(page.elements().size(), 3u);
    FormElement url = input("url", "");
    url.type = "text";
    url.id = "u";
    url.value = "v";
    url.checked = true;
    url.form = 0;
    EXPECT_EQ(page.elements()[0], url);
    EXPECT_EQ(page.elements()[1].options, (std::vector<std::string> { "One", "Tw\xC3\xB6" }));
    EXPECT_EQ(page.elements()[1].selectedIndex, 1);
    EXPECT_EQ(page.elements()[2], otherElement("a", "top"));
    EXPECT_EQ(page.formOf(0), 0u);
    EXPECT_FALSE(page.formOf(1).has_value());
}

TEST(PageDescriptionTest, TextThatIsNoDescriptionGivesAnEmptyModel)
{
    const std::string cases[] = {
        "",
        "not json at all",
        "[]",
        R"({"elements":5})",
        R"({"elements":[{"tag":"input")",
        R"({"token":"t","elements":[{"tag":"input"},"not an object"]})",
        "{\"elements\":[" + std::string(200000, '[') + std::string(200000, ']') + "]}",
        std::string(200000, '{'),
        "\"" + std::string(20'000'000, 'x') + "\"",
        std::string("{\"elements\":[\xFF\xFE]}"),
    };
    for (const std::string& text : cases) {
        const FormDocumentModel page = readPageDescription(text);
        EXPECT_TRUE(page.elements().empty()) << text.substr(0, 60);
        EXPECT_EQ(page.documentToken(), "");
    }
}

TEST(PageDescriptionTest, FieldsOfTheWrongTypeTakeTheirDefaults)
{
    const FormDocumentModel page = readPageDescription(R"({"token":7,"elements":[
        {"tag":"select","name":5,"checked":"yes","options":[1,"a",null],"selected":1e30,"form":"x"},
        {"tag":"input","selected":99999999999}]})");
    EXPECT_EQ(page.documentToken(), "");
    ASSERT_EQ(page.elements().size(), 2u);
    FormElement select = dropDown("", { "", "a", "" });
    select.selectedIndex = -1;
    EXPECT_EQ(page.elements()[0], select);
    EXPECT_EQ(page.elements()[1].selectedIndex, 2147483647);
}

TEST(PageDescriptionTest, WritesNameTheirElementAndAreAsciiText)
{
    FormDocumentModel page({ input("url"), textArea("desc"), dropDown("cat", { "a", "b" }) });
    page.setDocumentToken("doc-2");
    page.setValue(1, "caf\xC3\xA9 \xFF </script>");
    page.setChecked(0, true);
    page.setSelectedIndex(2, 1);
    const std::string text = pageWritesJson(page);
    EXPECT_EQ(text.find_first_of("\x80\xFF"), std::string::npos);

    const nlohmann::json replay = nlohmann::json::parse(text);
    EXPECT_EQ(replay["token"], "doc-2");
    EXPECT_EQ(replay["writes"], nlohmann::json::parse(R"([
        {"at":1,"tag":"textarea","name":"desc","id":"","kind":"value","value":"caf\u00e9 \ufffd </script>"},
        {"at":0,"tag":"input","name":"url","id":"","kind":"checked","checked":true},
        {"at":2,"tag":"select","name":"cat","id":"","kind":"option","option":1}])"));
}

TEST(PageDescriptionTest, AFileGoesWithItsNameTypeAndBytesAndOnlyWhileItCanBeSent)
{
    TempFolder folder;
    const std::string logo = folder.write("Logo.PNG", std::string("\x89PNG\0x", 6)).string();
    const std::string gone = folder.path("gone.png").string();
    FormDocumentModel page(readPageDescription(R"({"token":"d","elements":[
        {"tag":"input","type":"file","name":"a","files":["old.gif"]},{"tag":"input","type":"file","name":"b"},
        {"tag":"input","type":"text","name":"c"},{"tag":"select","name":"s","options":["x"],"values":["X1"]}]})"));
    EXPECT_EQ(page.elements()[0].files, (std::vector<std::string> { "old.gif" }));
    EXPECT_EQ(page.elements()[3].cues.optionValues, (std::vector<std::string> { "X1" }));
    page.setFile(0, logo);
    page.setFile(1, gone);
    page.setFile(2, logo); // no file input
    EXPECT_EQ(page.elements()[0].files, (std::vector<std::string> { "Logo.PNG" }));
    const nlohmann::json replay = nlohmann::json::parse(pageWritesJson(page));
    EXPECT_EQ(replay["writes"],
        nlohmann::json::parse(R"([{"at":0,"tag":"input","name":"a","id":"","kind":"file",
        "file":"Logo.PNG","mime":"image/png","data":"iVBORwB4","path":")"
            + logo + R"("}])"));
    const struct {
        const char* bytes;
        const char* text;
    } encoded[] = { { "", "" }, { "f", "Zg==" }, { "fo", "Zm8=" }, { "foo", "Zm9v" },
        { "\xFF\xFE", "//4=" } };
    for (const auto& c : encoded)
        EXPECT_EQ(base64Text(c.bytes), c.text) << c.bytes;
}

TEST(PageDescriptionTest, ReadsWhatAPersonSeesAroundAFieldAndTheForms)
{
    const FormDocumentModel page = readPageDescription(R"({"token":"t","forms":[
        {"action":"/add","method":"post","id":"f","name":"n","class":"c","submits":["Send",7],"frame":""},
        "not a form"],
      "elements":[
        {"tag":"input","name":"t","autocomplete":"off","label":"Title","aria":"Link title","placeholder":"p",
         "title":"tt","preceding":"Title:","maxlength":20,"readonly":true,"disabled":true,"hidden":true,
         "skipstab":true,"default":"d","defaultchecked":true,"frame":"0.1"},
        {"tag":"select","name":"c","options":["a","b"],"groups":["G",""],"defaultselected":1,"maxlength":-9},
        {"tag":"input","name":"u","label":5,"hidden":"yes","maxlength":"20"}]})");
    ASSERT_EQ(page.elements().size(), 3u);
    FieldCues title;
    title.autocomplete = "off";
    title.label = "Title";
    title.ariaLabel = "Link title";
    title.placeholder = "p";
    title.title = "tt";
    // The caption next to a field counts only for a field without a label.
    title.maxLength = 20;
    title.readOnly = title.disabled = title.hidden = title.skipsTab = true;
    title.defaultValue = "d";
    title.defaultChecked = true;
    title.frame = "0.1";
    EXPECT_EQ(page.elements()[0].cues, title);
    EXPECT_EQ(page.elements()[1].cues.optionGroups, (std::vector<std::string> { "G", "" }));
    EXPECT_EQ(page.elements()[1].cues.defaultSelected, 1);
    EXPECT_EQ(page.elements()[1].cues.maxLength, -1);
    EXPECT_EQ(page.elements()[2].cues, FieldCues {});
    // A frame's fields are described but are no form item's to find.
    EXPECT_EQ(page.itemByName(ElementCollection::All, "t", 0), std::nullopt);
    EXPECT_EQ(page.itemByName(ElementCollection::All, "c", 0), 1u);
    ASSERT_EQ(page.forms().size(), 2u);
    EXPECT_EQ(page.forms()[0], (FormCues { "/add", "post", "f", "n", "c", { "Send", "" }, "" }));
    EXPECT_EQ(page.forms()[1], FormCues {});
}

TEST(PageDescriptionTest, CuesAreBuiltAsTheLearnersPageReaderBuildsThem)
{
    // The browser script sends the texts as the page has them, blanks and all.
    const std::string longLabel = "Your site's title, " + std::string(300, 'x');
    const HtmlPage fetched = readHtmlPage(R"(<form><label for="t">  Site
        title </label><label for="t">)"
        + longLabel + R"(</label>
      <input id="t" name="t" placeholder=" Your  title " maxlength="99999999" title="T" autocomplete="off">
      Category: <select name="c" maxlength="5"><optgroup label=" Arts &amp;
        Crafts "><option>Paint</option></optgroup><option selected>Other</option></select></form>)");
    const FormDocumentModel described = readPageDescription(R"({"elements":[
        {"tag":"input","name":"t","id":"t","label":"  Site\n        title  )"
        + longLabel + R"(","aria":"  ",
         "preceding":"a caption of no account","placeholder":" Your  title ","title":"T","autocomplete":"off",
         "maxlength":99999999,"default":""},
        {"tag":"select","name":"c","options":["Paint","Other"],"values":["Paint","Other"],"selected":1,
         "preceding":"Category: ",
         "maxlength":5,"groups":[" Arts &\n        Crafts ",""],"defaultselected":1}]})");
    ASSERT_EQ(fetched.forms.fields.size(), 2u);
    ASSERT_EQ(described.elements().size(), 2u);
    for (std::size_t at = 0; at < 2; ++at)
        EXPECT_EQ(described.elements()[at].cues, fetched.forms.fields[at].cues) << at;
    EXPECT_EQ(fetched.forms.fields[0].cues.label, ("Site title " + longLabel).substr(0, 200));
    EXPECT_EQ(fetched.forms.fields[1].cues.preceding, "Category:");
}

TEST(PageAnswerTest, AnAnswerNamesItsDocumentOrIsNone)
{
    const PageAnswer page = readPageAnswer(R"({"token":"t1","source":"<h1>Thanks</h1>","texts":[
        {"kind":"heading","text":"Thanks"},{"kind":"message","text":"Saved."},{"kind":"odd","text":"More"},
        {"kind":"text","text":""},{"text":7},"loose"],
        "fields":[{"name":"url","value":"http://x","form":1},{"name":"q","value":"w","form":-3},{"value":"n"}]})");
    EXPECT_EQ(page.token, "t1");
    EXPECT_EQ(page.source, "<h1>Thanks</h1>");
    EXPECT_FALSE(page.message);
    EXPECT_EQ(page.answer.texts,
        (std::vector<AnswerText> { { AnswerTextKind::Heading, "Thanks" },
            { AnswerTextKind::Message, "Saved." }, { AnswerTextKind::Text, "More" } }));
    EXPECT_EQ(page.answer.fields, (std::vector<AnswerField> { { "url", "http://x", 1 }, { "q", "w", -1 } }));

    const PageAnswer message = readPageAnswer(R"({"token":"t1","message":true,"texts":[]})");
    EXPECT_TRUE(message.message);
    EXPECT_FALSE(message.source.has_value());
    // Deep nesting is not read, nor is a text beyond its bound.
    const PageAnswer odd = readPageAnswer(R"({"token":"t1","source":[[[[[[[[1]]]]]]]],"texts":[{"text":")"
        + std::string(5000, 'a') + R"("}]})");
    EXPECT_FALSE(odd.source.has_value());
    ASSERT_EQ(odd.answer.texts.size(), 1u);
    EXPECT_EQ(odd.answer.texts[0].text.size(), 4096u);
    // Without a document's identity nothing of it counts.
    for (const char* none :
        { "", "null", "[]", R"({"source":"<p>x</p>"})", R"({"token":7})", "{\"token\":\"t" })
        EXPECT_EQ(readPageAnswer(none), PageAnswer {}) << none;
}

TEST(PageAnswerTest, ASubmissionCarriesTheFormsValuesAndWhatItsPageShowed)
{
    const std::optional<FormSubmission> submission = readFormSubmission(
        R"({"token":"f1","fields":[{"name":"title","value":"My Site"}],"texts":["Add your site","",3]})");
    ASSERT_TRUE(submission.has_value());
    EXPECT_EQ(submission->token, "f1");
    EXPECT_EQ(submission->form, (SubmittedForm { { { "title", "My Site", -1 } }, { "Add your site" } }));
    EXPECT_FALSE(readFormSubmission(R"({"fields":[]})").has_value());
    EXPECT_FALSE(readFormSubmission("not json").has_value());
}

} // namespace
