#include "autofill/FieldRecognizer.h"
#include "autofill/FormWords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

FormField field(const std::string& tag, const std::string& type, const std::string& name, int form = 0)
{
    FormField made;
    made.tag = tag;
    made.type = type;
    made.name = name;
    made.form = form;
    return made;
}

FormField text(const std::string& name, const std::string& label = {}, int form = 0)
{
    FormField made = field("input", "text", name, form);
    made.cues.label = label;
    return made;
}

std::vector<FieldMeaning> meaningsOf(const PageRecognition& recognition)
{
    std::vector<FieldMeaning> meanings;
    for (const FieldRecognition& field : recognition.fields)
        meanings.push_back(field.meaning);
    return meanings;
}

TEST(FieldRecognizerTest, EachFieldGetsTheMeaningItsStrongestSignalGives)
{
    const auto with = [](FormField made, auto change) {
        change(made.cues);
        return made;
    };
    const struct {
        FormField field;
        FieldMeaning meaning;
    } cases[] = {
        { text("url", "Reciprocal link URL"), FieldMeaning::ReciprocalUrl },
        { text("url"), FieldMeaning::SiteUrl },
        { text("OWNER_EMAIL"), FieldMeaning::Email },
        { text("wpforms[fields][3]", "Website title"), FieldMeaning::SiteTitle },
        { with(text("f1"), [](FieldCues& s) { s.placeholder = "Your e-mail"; }), FieldMeaning::Email },
        { with(text("title", "Name"), [](FieldCues& s) { s.autocomplete = "section-a given-name"; }),
            FieldMeaning::FirstName },
        { with(text("x"), [](FieldCues& s) { s.preceding = "Straße und Hausnummer"; }),
            FieldMeaning::StreetAddress },
        { field("input", "email", "f2"), FieldMeaning::Email },
        { text("email", "Enter the code shown"), FieldMeaning::Captcha },
        { text("answer", "What is 3 + 4?"), FieldMeaning::Captcha },
        { text("phone", "Address line 1-2"), FieldMeaning::StreetAddress },
        { with(text("url", "Website"), [](FieldCues& s) { s.skipsTab = true, s.autocomplete = "off"; }),
            FieldMeaning::Honeypot },
        { text("hp", "Leave this field empty"), FieldMeaning::Honeypot },
        { with(text("url", "URL"), [](FieldCues& s) { s.hidden = true; }), FieldMeaning::Hidden },
        { with(text("url", "URL"), [](FieldCues& s) { s.readOnly = true; }), FieldMeaning::ReadOnly },
        { field("input", "hidden", "url"), FieldMeaning::Hidden },
        { field("input", "submit", "title"), FieldMeaning::Unknown },
        { field("input", "radio", "title"), FieldMeaning::Unknown },
        { text("f9", "Telefon"), FieldMeaning::Phone },
        { text("f9", "Country"), FieldMeaning::Country },
        { text("f9"), FieldMeaning::Unknown },
        { text("category", "Category"), FieldMeaning::Unknown },
        { with(field("select", "", "f3"), [](FieldCues& s) { s.label = "Category"; }),
            FieldMeaning::Category },
        { with(field("input", "checkbox", "f4"), [](FieldCues& s) { s.label = "I agree to the rules"; }),
            FieldMeaning::Agreement },
        { with(field("input", "checkbox", "f4"),
              [](FieldCues& s) { s.label = "I agree to the rules and want a featured listing"; }),
            FieldMeaning::ExtraOption },
        // A web address word decides which address is meant; a street needs none.
        { text("a", "Adresse (URL)"), FieldMeaning::SiteUrl },
        { text("a", "Address (URL)"), FieldMeaning::SiteUrl },
        { text("a", "Adresse du site"), FieldMeaning::SiteUrl },
        { field("input", "url", "address"), FieldMeaning::SiteUrl },
        { text("a", "Street address"), FieldMeaning::StreetAddress },
        // A name is a person's only when nothing says whose it is.
        { text("n", "Product name"), FieldMeaning::SiteTitle },
        { text("n", "Name des Startups"), FieldMeaning::SiteTitle },
        { text("n", "Nom de l'entreprise"), FieldMeaning::Company },
        { text("n", "Nombre de la empresa"), FieldMeaning::Company },
        { text("n", "Votre nom"), FieldMeaning::FullName },
        { text("shiptoName"), FieldMeaning::FullName },
        { text("addressFormModalMiddleInitial"), FieldMeaning::Unknown },
        { text("c", "Company"), FieldMeaning::Company },
        { text("c", "Company e-mail"), FieldMeaning::Email },
        { text("t", "Tagline"), FieldMeaning::Tagline },
        { text("t", "Telefonnummer"), FieldMeaning::Phone },
        { with(field("select", "", "land"), [](FieldCues& s) { s.label = "Land"; }), FieldMeaning::Country },
        { with(field("select", "", "p"), [](FieldCues& s) { s.label = "Price model"; }),
            FieldMeaning::Pricing },
        { field("input", "radio", "pricing"), FieldMeaning::Pricing },
        { text("y", "Gründungsjahr"), FieldMeaning::Founded },
        { text("y", "Tags"), FieldMeaning::Tags },
        { text("g", "GitHub username"), FieldMeaning::GitHub },
        { text("l", "Page LinkedIn"), FieldMeaning::LinkedIn },
        { with(field("input", "file", "f"), [](FieldCues& s) { s.label = "Upload logo", s.hidden = true; }),
            FieldMeaning::Logo },
        { with(field("input", "file", "f"), [](FieldCues& s) { s.label = "Zrzuty ekranu"; }),
            FieldMeaning::Screenshot },
        { text("u", "Logo URL"), FieldMeaning::Unknown },
    };
    for (const auto& c : cases) {
        const PageRecognition recognition =
            FieldRecognizer::shipped().recognise({ { c.field }, { FormCues {} } });
        EXPECT_EQ(recognition.fields.at(0).meaning, c.meaning)
            << c.field.name << " / " << c.field.cues.label << " is "
            << meaningName(recognition.fields[0].meaning);
    }
}

TEST(FieldRecognizerTest, MarksRepeatedFieldsAddressesWithoutTheSchemeAndHandles)
{
    FormField confirm = field("input", "email", "email2");
    confirm.cues.label = "Confirm e-mail";
    const PageRecognition recognition =
        FieldRecognizer::shipped().recognise({ { text("url", "URL (without http://)"), confirm,
                                                   text("url2", "Site URL"), text("tw", "Twitter username") },
            { FormCues {} } });
    EXPECT_THAT(recognition.fields,
        ElementsAre(FieldRecognition { FieldMeaning::SiteUrl, FormKind::Submission, true, false },
            FieldRecognition { FieldMeaning::Email, FormKind::Submission, false, true },
            FieldRecognition { FieldMeaning::SiteUrl, FormKind::Submission, false, false },
            FieldRecognition { FieldMeaning::Twitter, FormKind::Submission, false, false, true }));
}

TEST(FieldRecognizerTest, OnlySubmissionFormsAreFilled)
{
    const auto form = [](const std::string& action, const std::string& id, std::vector<std::string> submits) {
        FormCues made;
        made.action = action;
        made.id = id;
        made.submitTexts = std::move(submits);
        return made;
    };
    FormField comment = field("textarea", "", "comment", 5);
    comment.cues.label = "Comment";
    FormField card = text("number", "Number", 6);
    card.cues.autocomplete = "cc-number";
    const PageForms page {
        {
            text("log", "Username", 0),
            field("input", "password", "pwd", 0),
            text("user", "Username", 1),
            field("input", "password", "pass", 1),
            field("input", "password", "pass2", 1),
            text("email", "E-mail", 1),
            text("q", "", 2),
            text("mail", "Your e-mail", 3),
            text("title", "Title", 4),
            field("textarea", "", "description", 4),
            text("url", "URL", 4),
            comment,
            text("author", "Name", 5),
            text("email", "Email", 5),
            text("url", "Website", 5),
            card,
            text("name", "Name on card", 6),
        },
        { form("/wp-login.php", "loginform", { "Log In" }), form("/register", "", { "Register" }),
            form("/", "searchform", { "Go" }), form("/list", "", { "Subscribe" }),
            form("/add.php", "", { "Search the directory" }),
            form("/wp-comments-post.php", "commentform", { "Post Comment" }),
            form("/checkout", "", { "Pay" }) },
    };
    const PageRecognition recognition = FieldRecognizer::shipped().recognise(page);
    EXPECT_THAT(recognition.forms,
        ElementsAre(FormKind::Login, FormKind::Submission, FormKind::Search, FormKind::Newsletter,
            FormKind::Submission, FormKind::Comment, FormKind::Payment));
    EXPECT_EQ(recognition.fields[2].meaning, FieldMeaning::UserName);
    EXPECT_EQ(recognition.fields[4].meaning, FieldMeaning::Password);
    EXPECT_EQ(recognition.fields[0].meaning, FieldMeaning::OtherForm);
    EXPECT_EQ(recognition.fields[12].meaning, FieldMeaning::OtherForm);
}

TEST(FieldRecognizerTest, FieldsOutsideFormsGroupByFrameAndNamesSettleTogether)
{
    FormField framedTitle = text("t", "Site title", -1);
    framedTitle.cues.frame = "0";
    FormField framedUrl = text("u", "Site URL", -1);
    framedUrl.cues.frame = "0";
    const PageForms page {
        { text("s", "Search", -1), framedTitle, framedUrl, text("a", "Vorname", 0), text("b", "Name", 0),
            text("c", "Nome", 1), text("d", "Cognome", 1), text("e", "Ihr Name", 2) },
        { FormCues {}, FormCues {}, FormCues {} },
    };
    const PageRecognition recognition = FieldRecognizer::shipped().recognise(page);
    EXPECT_THAT(meaningsOf(recognition),
        ElementsAre(FieldMeaning::OtherForm, FieldMeaning::SiteTitle, FieldMeaning::SiteUrl,
            FieldMeaning::FirstName, FieldMeaning::LastName, FieldMeaning::FirstName, FieldMeaning::LastName,
            FieldMeaning::FullName));
}

TEST(FieldRecognizerTest, WordsComeFromTheListItIsGiven)
{
    const FormWords words = FormWords::parse("[field.email]\nxx: zorp\n[field.title]\nxx: ~blip\n");
    const FieldRecognizer recognizer(words);
    const PageRecognition recognition = recognizer.recognise(
        { { text("a", "Zorp"), text("b", "Blip"), text("c", "E-mail") }, { FormCues {} } });
    EXPECT_THAT(meaningsOf(recognition),
        ElementsAre(FieldMeaning::Email, FieldMeaning::SiteTitle, FieldMeaning::Unknown));
}

TEST(FieldRecognizerTest, HugePagesAndLabelsStayBounded)
{
    PageForms page;
    page.forms.resize(1);
    page.fields.push_back(text("first", "Title " + std::string(1'000'000, 'x') + " e-mail"));
    for (int at = 0; at < 10'000; ++at)
        page.fields.push_back(text("f" + std::to_string(at), "Title"));
    page.fields.push_back(text("late", "E-mail", 7)); // a form number the page does not have
    const PageRecognition recognition = FieldRecognizer::shipped().recognise(page);
    ASSERT_EQ(recognition.fields.size(), page.fields.size());
    // Only the start of a label is read; fields beyond the cap are left alone.
    EXPECT_EQ(recognition.fields.front().meaning, FieldMeaning::SiteTitle);
    EXPECT_EQ(recognition.fields[4999].meaning, FieldMeaning::SiteTitle);
    EXPECT_EQ(recognition.fields.back().meaning, FieldMeaning::Unknown);
}

} // namespace
