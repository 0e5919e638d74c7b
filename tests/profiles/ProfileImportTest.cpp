#include "ProfileTestFiles.h"

#include "directories/DirectoryStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace SendingProfile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The main directory store the sv.dat import takes submit URLs from.
struct MainDirectories {
    RecordingMessageBox messages;
    DirectoryStore store { messages };

    MainDirectories()
    {
        store.AddDirectory("Alpha");
        store.SetSubmitUrl("Alpha", "http://alpha.example/add.php");
        store.AddDirectory("Beta");
        store.SetSubmitUrl("Beta", "http://beta.example/submit");
    }
};

std::vector<std::string> namesOf(const ProfileStore& store)
{
    std::vector<std::string> names;
    store.GetProfileNames(names);
    return names;
}

std::vector<SubmissionEntry> historyOf(const ProfileStore& store, const std::string& profile)
{
    std::vector<SubmissionEntry> entries;
    store.GetSubmissionHistory(profile, entries);
    return entries;
}

SubmissionEntry unknownEntry(const std::string& name, const std::string& url)
{
    return { name, url, "unknown", "unknown", "unknown", "unknown" };
}

const std::string kVersion1 =
    "1\r\nOne\r\n1\r\n"
    "One\r\nhttp://one.example/\r\nTitle\r\nDescription\r\nCat\r\nSub\r\nkw1, kw2\r\n"
    "e@one.example\r\nF\r\nL\r\nuser\r\npass\r\n3\r\nBeta [x]\r\nAlpha\r\nUnlisted\r\n";

const std::string kVersion2 =
    "2\nActive\n2\n"
    "Two\nhttp://two.example/\n2\nT1\nT2\n0\nCat\nSub\n1\nK1\ne\nf\nl\nu\np\n0\n"
    "Existing\nhttp://new.example/\n1\nNew title\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n1\nAlpha\n";

TEST(ProfileImportTest, ImportProfilesAddsOnlyNewNamesAndCountsThem)
{
    OpenedStore opened(profilesText("<activeProfile>Mine</activeProfile><profile><name>Existing</name>"
                                    "<url>old</url></profile>"));
    opened.folder.write("other.xml",
        profilesText("<activeProfile>Theirs</activeProfile><customtext directory=\"D\">t</customtext>"
                     "<profile><name>Existing</name><url>new</url></profile>"
                     "<profile><name>New</name><url>u</url><submittedto "
                     "approved=\"yes\"><friendlyname>D</friendlyname>"
                     "</submittedto><customcolor directory=\"D\">5</customcolor></profile>"
                     "<profile><name>New</name><url>second</url></profile>"
                     "<profile><name></name></profile><profile><url>nameless</url></profile>"));
    int count = -1;
    ASSERT_TRUE(opened.store.ImportProfiles(opened.folder.path("other.xml"), &count));
    EXPECT_EQ(count, 1);
    EXPECT_THAT(namesOf(opened.store), ElementsAre("Existing", "New"));
    SiteProfile profile;
    ASSERT_TRUE(opened.store.GetProfile("Existing", profile));
    EXPECT_EQ(profile.url, "old");
    ASSERT_TRUE(opened.store.GetProfile("New", profile));
    EXPECT_EQ(profile.url, "u");
    EXPECT_TRUE(opened.store.IsApproved("New", "D", ""));
    std::string text;
    EXPECT_FALSE(opened.store.GetCustomText("D", text));
    std::string active;
    opened.store.GetActiveProfile(active);
    EXPECT_EQ(active, "Mine");
    EXPECT_TRUE(opened.store.ImportProfiles(opened.folder.path("other.xml")));

    opened.messages.clear();
    opened.folder.write("broken.xml", "<profiles><profile>");
    EXPECT_FALSE(opened.store.ImportProfiles(opened.folder.path("broken.xml"), &count));
    EXPECT_FALSE(opened.store.ImportProfiles(opened.folder.path("missing.xml"), &count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileImportTest, VersionOneRecordsBecomeProfilesWithUnknownEntries)
{
    OpenedStore opened;
    MainDirectories directories;
    std::string active = "stale";
    ASSERT_EQ(
        opened.store.ImportSvDat(opened.folder.write("sv.dat", kVersion1), true, active, directories.store),
        1);
    EXPECT_EQ(active, "One");

    SiteProfile profile;
    ASSERT_TRUE(opened.store.GetProfile("One", profile));
    EXPECT_EQ(profile.url, "http://one.example/");
    EXPECT_THAT(profile.titles, ElementsAre("Title"));
    EXPECT_THAT(profile.descriptions, ElementsAre("Description"));
    EXPECT_THAT(profile.keywords, ElementsAre("kw1, kw2"));
    EXPECT_EQ(profile.email, "e@one.example");
    EXPECT_EQ(profile.password, "pass");
    EXPECT_EQ(profile.address, "");
    EXPECT_EQ(profile.category, ""); // never written to the document
    // Ascending byte order of the names, each cut at its first "[".
    EXPECT_THAT(historyOf(opened.store, "One"),
        ElementsAre(unknownEntry("Alpha", "http://alpha.example/add.php"), unknownEntry("Beta ", ""),
            unknownEntry("Unlisted", "")));
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileImportTest, VersionTwoListsAndTheReplaceFlag)
{
    OpenedStore opened(
        profilesText("<profile><name>Existing</name><url>http://old.example/</url></profile>"));
    MainDirectories directories;
    const auto file = opened.folder.write("sv.dat", kVersion2);
    std::string active;
    EXPECT_EQ(opened.store.ImportSvDat(file, false, active, directories.store), 1);
    EXPECT_EQ(active, "Active");
    SiteProfile profile;
    ASSERT_TRUE(opened.store.GetProfile("Two", profile));
    EXPECT_THAT(profile.titles, ElementsAre("T1", "T2"));
    EXPECT_THAT(profile.descriptions, ElementsAre(""));
    EXPECT_THAT(profile.keywords, ElementsAre("K1"));
    EXPECT_TRUE(historyOf(opened.store, "Two").empty());
    opened.messages.clear();
    ASSERT_TRUE(opened.store.GetProfile("Existing", profile));
    EXPECT_EQ(profile.url, "http://old.example/");
    EXPECT_TRUE(historyOf(opened.store, "Existing").empty());

    EXPECT_EQ(opened.store.ImportSvDat(file, true, active, directories.store), 2);
    ASSERT_TRUE(opened.store.GetProfile("Existing", profile));
    EXPECT_EQ(profile.url, "http://new.example/");
    EXPECT_THAT(profile.titles, ElementsAre("New title"));
    EXPECT_THAT(historyOf(opened.store, "Existing"),
        ElementsAre(unknownEntry("Alpha", "http://alpha.example/add.php")));
    EXPECT_THAT(namesOf(opened.store), ElementsAre("Existing", "Two"));
}

TEST(ProfileImportTest, OtherVersionsAndMissingFilesImportNothing)
{
    OpenedStore opened;
    MainDirectories directories;
    std::string active = "stale";
    EXPECT_EQ(
        opened.store.ImportSvDat(opened.folder.path("missing.dat"), true, active, directories.store), -1);
    EXPECT_EQ(opened.store.ImportSvDat(opened.folder.path(""), true, active, directories.store), -1);
    EXPECT_EQ(opened.store.ImportSvDat(
                  opened.folder.write("v3.dat", "3\nA\n1\nA\n"), true, active, directories.store),
        0);
    EXPECT_EQ(active, "");
    EXPECT_EQ(
        opened.store.ImportSvDat(opened.folder.write("g.dat", std::string("\0\xff\xfe garbage\n\x01\n", 14)),
            true, active, directories.store),
        0);
    EXPECT_EQ(opened.store.ImportSvDat(opened.folder.write("e.dat", ""), true, active, directories.store), 0);
    EXPECT_TRUE(namesOf(opened.store).empty());
    EXPECT_TRUE(opened.messages.empty());
}

TEST(ProfileImportTest, AbsurdCountsAndShortFilesLoseNothing)
{
    MainDirectories directories;
    const std::string existing =
        "<profile><name>Keep</name><url>http://keep.example/</url>"
        "<submittedto><friendlyname>Alpha</friendlyname><datetime>01 May 2020</datetime>"
        "</submittedto></profile>";
    const std::string complete = "Good\nu\n1\nt\n1\nd\nc\ns\n1\nk\ne\nf\nl\nu\np\n-5\n";
    const std::string cases[] = {
        "2\nA\n2147483648\n" + complete, // far more profiles than lines
        "2\nA\n2\n" + complete + "Keep\nu\n2147483647\nT\nT\n", // a title count beyond the end
        "2\nA\n3\n" + complete + "Keep\nu\n1\nt\n1\nd\nc\ns\n1\nk\ne\nf\nl\nu\np\n999999999\nAlpha\n",
        "2\nA\n-7\n", // a negative count: nothing
    };
    for (const std::string& text : cases) {
        OpenedStore opened(profilesText(existing));
        std::string active;
        const int expected = text.find("-7") != std::string::npos ? 0 : 1;
        EXPECT_EQ(
            opened.store.ImportSvDat(opened.folder.write("sv.dat", text), true, active, directories.store),
            expected);
        if (expected == 1) {
            ASSERT_EQ(opened.messages.messages().size(), 1u);
            EXPECT_EQ(opened.messages.messages()[0].icon, MessageIcon::Warning);
            EXPECT_THAT(
                opened.messages.messages()[0].text, HasSubstr("ends before all the profiles it announces"));
        }
        SiteProfile profile;
        ASSERT_TRUE(opened.store.GetProfile("Keep", profile));
        EXPECT_EQ(profile.url, "http://keep.example/");
        std::string date;
        EXPECT_TRUE(opened.store.GetSubmissionDate("Keep", "Alpha", date));
        EXPECT_EQ(date, "01 May 2020");
        if (expected == 1) {
            ASSERT_TRUE(opened.store.GetProfile("Good", profile));
            EXPECT_TRUE(profile.submittedNames.empty());
        }
    }
}

} // namespace
