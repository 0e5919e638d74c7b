#include "ProfileTestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace SendingProfile;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

std::vector<std::string> childNames(const pugi::xml_node& element)
{
    std::vector<std::string> names;
    for (const pugi::xml_node& child : element.children())
        names.push_back(child.name());
    return names;
}

unsigned permissionsOf(const std::filesystem::path& file)
{
    struct stat status { };
    ::stat(file.c_str(), &status);
    return status.st_mode & 0777;
}

const std::vector<std::string> kFirstWriteOrder = {
    "name",
    "url",
    "email",
    "fname",
    "lname",
    "username",
    "password",
    "address",
    "city",
    "zip",
    "province",
    "reciprocal",
    "reciprocalconfig",
    "reciprocalpassword",
    "reciprocalmethod",
    "categories",
    "subcategories",
    "description",
    "description",
    "keywords",
    "keywords",
    "title",
    "title",
    "serpphrase",
    "serpphrase",
};

TEST(ProfileStoreFileTest, MissingFileGivesAnEmptyDocumentSavedForTheOwnerOnly)
{
    OpenedStore opened;
    EXPECT_FALSE(opened.opened);
    EXPECT_TRUE(opened.messages.empty());
    ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
    EXPECT_EQ(opened.folder.read("sv.xml"),
        "<?xml version=\"1.0\"?>\n<profiles>\n\t<activeProfile />\n</profiles>\n");
    EXPECT_EQ(permissionsOf(opened.folder.path("sv.xml")), 0600u);
    // An existing file with wider permissions is narrowed too: it holds passwords.
    ::chmod(opened.folder.path("sv.xml").c_str(), 0644);
    ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
    EXPECT_EQ(permissionsOf(opened.folder.path("sv.xml")), 0600u);

    // An empty file holds nothing to lose: no message, no copy kept.
    OpenedStore empty("");
    EXPECT_FALSE(empty.opened);
    EXPECT_TRUE(empty.messages.empty());
    ASSERT_TRUE(empty.store.Save(empty.folder.path("sv.xml")));
    EXPECT_THAT(empty.folder.entries(), ElementsAre("sv.xml"));
}

TEST(ProfileStoreFileTest, FirstWriteFollowsTheFieldOrder)
{
    OpenedStore opened;
    ASSERT_TRUE(opened.store.SetProfile("Mine", sampleProfile("Mine")));
    const pugi::xml_node root = opened.store.document().child("profiles");
    EXPECT_THAT(childNames(root), ElementsAre("activeProfile", "profile"));
    EXPECT_THAT(childNames(root.child("profile")), ElementsAreArray(kFirstWriteOrder));
    EXPECT_STREQ(root.child("profile").child_value("reciprocalmethod"), "1");
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileStoreFileTest, ChangingAProfileKeepsSingleValuesInPlaceAndMovesListsToTheEnd)
{
    OpenedStore opened;
    SiteProfile profile = sampleProfile("Mine");
    ASSERT_TRUE(opened.store.SetProfile("Mine", profile));
    ASSERT_TRUE(
        opened.store.AddSubmission("Mine", "Dir A", "http://a.example/add", "t", "k", "d", "01 May 2020"));
    ASSERT_TRUE(opened.store.SetCustomColor("Mine", "Dir A", 12632256));

    profile.email = "new@example.com";
    profile.titles = { "Only title" };
    profile.serpPhrases.clear();
    ASSERT_TRUE(opened.store.SetProfile("Mine", profile));

    const pugi::xml_node element = opened.store.document().child("profiles").child("profile");
    std::vector<std::string> expected(kFirstWriteOrder.begin(), kFirstWriteOrder.begin() + 17);
    expected.insert(expected.end(),
        { "submittedto", "customcolor", "description", "description", "keywords", "keywords", "title" });
    EXPECT_THAT(childNames(element), ElementsAreArray(expected));
    EXPECT_STREQ(element.child_value("email"), "new@example.com");
    EXPECT_TRUE(opened.store.IsSubmitted("Mine", "Dir A", ""));
}

TEST(ProfileStoreFileTest, ProfileRoundTripThroughTheFile)
{
    OpenedStore opened;
    const SiteProfile profile = sampleProfile("Bob's \"Site\" & <Co>");
    ProfileStore& store = opened.store;
    ASSERT_TRUE(store.SetProfile(profile.name, profile));
    ASSERT_TRUE(store.AddSubmission(
        profile.name, "Dir 'A'", "http://a.example/?x=1&y=2", "T", "K", "D", "01 May 2020"));
    ASSERT_TRUE(store.SetApproved(profile.name, "Dir 'A'", "", true));
    ASSERT_TRUE(store.SetCustomColor(profile.name, "Dir 'A'", 12632256));
    ASSERT_TRUE(store.SetCustomColor("", "Dir B", 255));
    ASSERT_TRUE(store.SetCustomText("Dir B", "  note with blanks  "));
    ASSERT_TRUE(store.SetActiveProfile(profile.name));
    ASSERT_TRUE(store.Save(opened.folder.path("sv.xml")));

    RecordingMessageBox messages;
    ProfileStore reloaded(messages);
    ASSERT_TRUE(reloaded.Open(opened.folder.path("sv.xml")));
    SiteProfile read;
    ASSERT_TRUE(reloaded.GetProfile(profile.name, read));
    SiteProfile expected = profile;
    expected.submittedNames = { "Dir 'A'" };
    expected.submittedUrls = { { "Dir 'A'", "http://a.example/?x=1&y=2" } };
    EXPECT_EQ(read, expected);

    std::vector<SubmissionEntry> history;
    ASSERT_TRUE(reloaded.GetSubmissionHistory(profile.name, history));
    EXPECT_THAT(history,
        ElementsAre(
            SubmissionEntry { "Dir 'A'", "http://a.example/?x=1&y=2", "T", "D", "K", "01 May 2020" }));
    EXPECT_EQ(storeAnswers(reloaded, profile.name, "Dir 'A'", ""),
        (RowAnswers { true, true, "01 May 2020", 12632256u, std::nullopt, std::nullopt, std::nullopt }));
    EXPECT_EQ(storeAnswers(reloaded, profile.name, "Dir B", ""),
        (RowAnswers {
            false, false, std::nullopt, std::nullopt, 255u, "  note with blanks  ", std::nullopt }));
    std::string active;
    EXPECT_TRUE(reloaded.GetActiveProfile(active));
    EXPECT_EQ(active, profile.name);
    EXPECT_EQ(reloaded.documentText(), store.documentText());
    EXPECT_TRUE(messages.empty());
}

TEST(ProfileStoreFileTest, ProductDataRoundTripsAndAFileWithoutItStaysAsItWas)
{
    OpenedStore opened;
    ASSERT_TRUE(opened.store.SetProfile("Old", sampleProfile("Old")));
    const std::string before = opened.store.documentText();
    SiteProfile old;
    ASSERT_TRUE(opened.store.GetProfile("Old", old));
    EXPECT_TRUE(old.tagline.empty() && old.screenshots.empty() && old.tags.empty());
    ASSERT_TRUE(opened.store.SetProfile("Old", old));
    EXPECT_EQ(opened.store.documentText(), before);

    SiteProfile profile = sampleProfile("New");
    profile.tagline = "Widgets & <more>";
    profile.company = "Widget Co";
    profile.phone = "+1 555 0100";
    profile.country = "Österreich";
    profile.logo = "/home/me/logo.png";
    profile.screenshots = { "/home/me/a.png", "/home/me/b.png" };
    profile.twitter = "https://twitter.com/w";
    profile.linkedin = "https://linkedin.com/company/w";
    profile.github = "https://github.com/w";
    profile.facebook = "https://facebook.com/w";
    profile.pricing = "open source";
    profile.founded = "2015";
    profile.tags = "a, b";
    ASSERT_TRUE(opened.store.SetProfile("New", profile));
    ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
    RecordingMessageBox messages;
    ProfileStore reloaded(messages);
    ASSERT_TRUE(reloaded.Open(opened.folder.path("sv.xml")));
    SiteProfile read;
    ASSERT_TRUE(reloaded.GetProfile("New", read));
    EXPECT_EQ(read, profile);
    // Emptied values stay as empty elements; the screenshots go with the other lists.
    profile.company.clear();
    profile.screenshots.pop_back();
    ASSERT_TRUE(reloaded.SetProfile("New", profile));
    ASSERT_TRUE(reloaded.GetProfile("New", read));
    EXPECT_EQ(read, profile);
    EXPECT_TRUE(messages.empty());
}

TEST(ProfileStoreFileTest, UnreadableFileIsReportedAndKeptBeforeTheNextSave)
{
    const std::string good =
        profilesText("<activeProfile>A</activeProfile><profile><name>A</name><url>u</url></profile>");
    for (const std::string& bad :
        { good.substr(0, good.size() - 10), std::string("\x89PNG\r\n\x1a\n\0\0\xff", 11) }) {
        OpenedStore opened(bad);
        EXPECT_FALSE(opened.opened);
        ASSERT_EQ(opened.messages.messages().size(), 1u);
        EXPECT_EQ(opened.messages.messages()[0].caption, "Vantelo");
        EXPECT_EQ(opened.messages.messages()[0].icon, MessageIcon::Warning);
        EXPECT_THAT(opened.messages.messages()[0].text, HasSubstr("sv.xml.unreadable"));
        std::vector<std::string> names { "left over" };
        EXPECT_TRUE(opened.store.GetProfileNames(names));
        EXPECT_TRUE(names.empty());

        ASSERT_TRUE(opened.store.SetProfile("New", sampleProfile("New")));
        ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
        EXPECT_EQ(opened.folder.read("sv.xml.unreadable"), bad);
        EXPECT_EQ(permissionsOf(opened.folder.path("sv.xml.unreadable")), 0600u);
        // Only the first save keeps a copy; later saves just write.
        ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
        EXPECT_THAT(opened.folder.entries(), ElementsAre("sv.xml", "sv.xml.unreadable"));
    }
}

TEST(ProfileStoreFileTest, AnEarlierKeptCopyIsNotOverwritten)
{
    OpenedStore opened("<profiles><profile>");
    opened.folder.write("sv.xml.unreadable", "older copy");
    ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
    EXPECT_EQ(opened.folder.read("sv.xml.unreadable"), "older copy");
    EXPECT_EQ(opened.folder.read("sv.xml.unreadable.2"), "<profiles><profile>");
}

TEST(ProfileStoreFileTest, SaveFailureIsReportedAndLeavesTheFileAlone)
{
    OpenedStore opened(profilesText("<activeProfile/>"));
    ASSERT_TRUE(opened.opened);
    EXPECT_FALSE(opened.store.Save(opened.folder.path("missing-folder/sv.xml")));
    ASSERT_EQ(opened.messages.messages().size(), 1u);
    EXPECT_THAT(
        opened.messages.messages()[0].text, StartsWith("An exception occurred while saving your profiles: "));
    EXPECT_EQ(opened.messages.messages()[0].icon, MessageIcon::Error);
    EXPECT_FALSE(opened.folder.exists("missing-folder"));
}

TEST(ProfileStoreFileTest, DeclaredEncodingIsReadAndTheFileIsWrittenAsUtf8)
{
    const std::string latin1 =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<profiles><activeProfile>Caf\xe9"
        "</activeProfile></profiles>";
    OpenedStore opened(latin1);
    ASSERT_TRUE(opened.opened);
    std::string active;
    ASSERT_TRUE(opened.store.GetActiveProfile(active));
    EXPECT_EQ(active, "Café");
    ASSERT_TRUE(opened.store.Save(opened.folder.path("sv.xml")));
    EXPECT_EQ(opened.folder.read("sv.xml"),
        "<?xml version=\"1.0\"?>\n<profiles>\n\t<activeProfile>Café</activeProfile>\n</profiles>\n");
}

TEST(ProfileStoreFileTest, ExportWritesTheStyleSheetInstructionAndACopyOfTheProfile)
{
    OpenedStore opened(
        profilesText("<activeProfile/><profile><name>A</name><url>u</url>"
                     "<submittedto approved=\"yes\"><friendlyname>D</friendlyname></submittedto>"
                     "</profile>"));
    const std::filesystem::path file = opened.folder.path("export.xml");
    ASSERT_TRUE(opened.store.ExportProfile("A", file, "submission.xsl"));
    EXPECT_EQ(opened.folder.read("export.xml"),
        "<?xml version=\"1.0\"?>\n"
        "<?xml-stylesheet type=\"text/xsl\" href=\"submission.xsl\"?>\n"
        "<profile>\n\t<name>A</name>\n\t<url>u</url>\n"
        "\t<submittedto approved=\"yes\">\n\t\t<friendlyname>D</friendlyname>\n\t</submittedto>\n"
        "</profile>\n");

    // An address with quotes or "?>" cannot end the instruction early.
    ASSERT_TRUE(opened.store.ExportProfile("A", file, "a\"b?>c&d.xsl"));
    EXPECT_THAT(opened.folder.read("export.xml"),
        HasSubstr("<?xml-stylesheet type=\"text/xsl\" href=\"a&quot;b?&gt;c&amp;d.xsl\"?>"));
    pugi::xml_document parsed;
    EXPECT_TRUE(parsed.load_file(file.c_str()));

    EXPECT_FALSE(opened.store.ExportProfile("B", opened.folder.path("none.xml"), "submission.xsl"));
    EXPECT_FALSE(opened.folder.exists("none.xml"));
    EXPECT_TRUE(opened.messages.empty());
}

} // namespace
