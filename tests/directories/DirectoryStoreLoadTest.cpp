#include "DirectoryTestFiles.h"

#include "common/DataFolder.h"
#include "directories/Scrambling.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

TEST(DirectoryStoreLoadTest, ReadsEveryFieldAndItemInFileOrder)
{
    LoadedStore loaded(databaseText("rf",
        R"(<latestrevision no="7"/>)"
        R"(<directory name="Alpha" submiturl="http://a.example/add.php" pr="5" revision="7")"
        R"( onsubmit="Thank you" category="Arts,News,">)"
        R"(<item name="TITLE" index="0" value="#title#" type="edit"/>)"
        R"(<item name="CAT" index="2" value="x" type="select"/>)"
        R"(<item name="AGREE" index="0" value="True" type="checkbox"/>)"
        R"(<item name="RECPR" index="1" value="" type="reciprocal"/>)"
        R"(<item name="CODE" index="0" value="" type="reciprocaltext"/>)"
        R"(</directory>)"));
    ASSERT_TRUE(loaded.loaded);
    EXPECT_TRUE(loaded.messages.empty());
    EXPECT_EQ(loaded.store.GetLatestDirectoryRevision(), 7);
    const DirectoryRecord* alpha = loaded.store.find("Alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->pr, 5);
    EXPECT_EQ(alpha->revision, 7);
    EXPECT_EQ(alpha->submitUrl, "http://a.example/add.php");
    EXPECT_EQ(alpha->onSubmit, "Thank you");
    EXPECT_EQ(alpha->category, "Arts,News,");
    EXPECT_THAT(alpha->items,
        ElementsAre(DirectoryItem { "TITLE", ControlType::Edit, 0, "#title#" },
            DirectoryItem { "CAT", ControlType::Select, 2, "x" },
            DirectoryItem { "AGREE", ControlType::Checkbox, 0, "True" },
            DirectoryItem { "RECPR", ControlType::Reciprocal, 1, "" },
            DirectoryItem { "CODE", ControlType::ReciprocalText, 0, "" }));
}

TEST(DirectoryStoreLoadTest, AnItemWithoutTypeIsAnEditField)
{
    // Older custom databases wrote the reciprocal kinds without a type.
    LoadedStore loaded(
        databaseText("customdirs",
            R"(<directory name="Old"><item name="RECPR" index="0" value="#url#"/></directory>)"),
        "customdirs");
    std::vector<DirectoryItem> items;
    ASSERT_TRUE(loaded.store.GetItems("Old", items));
    EXPECT_THAT(items, ElementsAre(DirectoryItem { "RECPR", ControlType::Edit, 0, "#url#" }));
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(DirectoryStoreLoadTest, EnabledMustBeExactlyTrue)
{
    LoadedStore loaded(databaseText("rf",
        R"(<directory name="Off" enabled="false"/><directory name="Caps" enabled="TRUE"/>)"
        R"(<directory name="Mixed" enabled="True"/><directory name="On" enabled="true"/>)"
        R"(<directory name="Plain"/>)"));
    EXPECT_THAT(namesOf(loaded.store), ElementsAre("On", "Plain"));
}

TEST(DirectoryStoreLoadTest, NumbersAreReadLikeAtoi)
{
    LoadedStore loaded(databaseText("rf",
        R"(<directory name="A" pr="none" revision="12abc"/><directory name="B" pr=" -3" revision=""/>)"));
    EXPECT_EQ(loaded.store.GetPR("A"), 0);
    EXPECT_EQ(loaded.store.GetRevision("A"), 12);
    EXPECT_EQ(loaded.store.GetPR("B"), -3);
    EXPECT_EQ(loaded.store.GetRevision("B"), 0);
}

TEST(DirectoryStoreLoadTest, AttributesInAnyOrderAndTheFirstOfARepeatedOneCounts)
{
    LoadedStore loaded(databaseText("rf",
        R"(<directory pricing="free" prx="4" pr="2" pr="8" name="A" rating="250" linktype="nofollow">)"
        R"(<item type="select" value="v" index="3" name="N" name="M"/></directory>)"));
    const DirectoryRecord* record = loaded.store.find("A");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->pr, 2);
    EXPECT_EQ(record->listFacts, (DirectoryListFacts { 100, "nofollow", "free" }));
    EXPECT_THAT(record->items, ElementsAre(DirectoryItem { "N", ControlType::Select, 3, "v" }));
}

TEST(DirectoryStoreLoadTest, FirstOfTwoEqualNamesWins)
{
    LoadedStore loaded(
        databaseText("rf", R"(<directory name="Same" pr="1"/><directory name="Same" pr="9"/>)"));
    EXPECT_THAT(namesOf(loaded.store), ElementsAre("Same"));
    EXPECT_EQ(loaded.store.GetPR("Same"), 1);
}

TEST(DirectoryStoreLoadTest, DirectoryWithoutNameEndsTheReading)
{
    LoadedStore loaded(databaseText("rf",
        R"(<directory name="Before"/><directory enabled="false"/><directory pr="3"/><directory name="After"/>)"));
    EXPECT_TRUE(loaded.loaded);
    EXPECT_THAT(namesOf(loaded.store), ElementsAre("Before"));
    ASSERT_EQ(loaded.messages.messages().size(), 1u);
    const RecordedMessage& message = loaded.messages.messages().front();
    EXPECT_TRUE(message.text.starts_with("An error occurred while retrieving directory names: "));
    EXPECT_EQ(message.caption, "Vantelo");
    EXPECT_EQ(message.icon, MessageIcon::Error);
}

TEST(DirectoryStoreLoadTest, UnsupportedControlTypeIsReportedAndKept)
{
    LoadedStore loaded(databaseText("rf",
        R"(<directory name="Odd Dir"><item name="a" index="0" value="v" type="radio"/>)"
        R"(<item name="b" index="0" value="w"/></directory>)"));
    EXPECT_THAT(loaded.messages.messages(),
        ElementsAre(shown("Unsupported control type", "Odd Dir", MessageIcon::Error)));
    std::vector<DirectoryItem> items;
    ASSERT_TRUE(loaded.store.GetItems("Odd Dir", items));
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].type, ControlType::Edit);
}

TEST(DirectoryStoreLoadTest, RevisionDefaults)
{
    RecordingMessageBox messages;
    DirectoryStore neverLoaded(messages);
    EXPECT_EQ(neverLoaded.GetLatestDirectoryRevision(), -1);

    LoadedStore withoutRevision(databaseText("rf", R"(<directory name="A"/>)"));
    EXPECT_EQ(withoutRevision.store.GetLatestDirectoryRevision(), 1);
}

TEST(DirectoryStoreLoadTest, OtherRootNameGivesNoRecords)
{
    LoadedStore loaded(databaseText("customdirs", R"(<directory name="A"/>)"), "rf");
    EXPECT_TRUE(loaded.loaded);
    EXPECT_TRUE(namesOf(loaded.store).empty());
}

TEST(DirectoryStoreLoadTest, BrokenFilesLeaveAnEmptyStoreWithoutMessage)
{
    for (const std::string& text : { std::string("this is not xml"), std::string(),
             databaseText("rf", R"(<directory name="A"/>)").substr(0, 40),
             std::string("\0\xff\xfe<rf>", 7) }) {
        LoadedStore plain(text);
        EXPECT_TRUE(plain.loaded);
        EXPECT_TRUE(namesOf(plain.store).empty());
        EXPECT_TRUE(plain.messages.empty());

        LoadedStore scrambled(text, "rf", false);
        EXPECT_TRUE(scrambled.loaded);
        EXPECT_TRUE(namesOf(scrambled.store).empty());
        EXPECT_TRUE(scrambled.messages.empty());
    }
}

TEST(DirectoryStoreLoadTest, MissingFileWithAndWithoutCreate)
{
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    store.AddDirectory("Kept");
    EXPECT_FALSE(store.Load(folder.path("none.xml"), true, false));
    EXPECT_TRUE(store.Load(folder.path("none.xml"), true, true));
    EXPECT_THAT(namesOf(store), ElementsAre("Kept"));
    EXPECT_EQ(store.documentText(), "<?xml version=\"1.0\"?>\n<customdirs />\n");
    EXPECT_TRUE(messages.empty());
}

TEST(DirectoryStoreLoadTest, ScrambledMainDatabaseReadsLikeThePlainOne)
{
    const std::string text = databaseText("rf",
        R"(<latestrevision no="3"/><directory name="Über &amp; &lt;co&gt; &quot;q&quot; 'a'" submiturl="http://x.example/"/>)");
    const std::string scrambled = scrambleDatabase(text);
    EXPECT_EQ(scrambled.find("<rf>"), std::string::npos);
    EXPECT_NE(unscrambleDatabase(scrambled).find("<rf>"), std::string::npos);

    TempFolder folder;
    folder.write("dirdata.xml", scrambled);
    RecordingMessageBox messages;
    DirectoryStore store(messages);
    ASSERT_TRUE(store.LoadMain(DataFolder(folder.path()), false));
    EXPECT_THAT(namesOf(store), ElementsAre("Über & <co> \"q\" 'a'"));
    EXPECT_EQ(store.GetLatestDirectoryRevision(), 3);
}

TEST(DirectoryStoreLoadTest, HugeFilesAndDirectoriesLoad)
{
    // One directory of 100,000 items, and a 200 MB attribute value.
    std::string items;
    for (int i = 0; i < 100000; ++i)
        items += "<item name=\"f" + std::to_string(i) + "\" index=\"0\" value=\"v\" type=\"edit\"/>";
    LoadedStore many(databaseText("rf", "<directory name=\"Many\">" + items + "</directory>"));
    std::vector<DirectoryItem> loadedItems;
    ASSERT_TRUE(many.store.GetItems("Many", loadedItems));
    EXPECT_EQ(loadedItems.size(), 100000u);
    EXPECT_EQ(loadedItems.back().name, "f99999");

    const std::string huge(200u << 20, 'x');
    LoadedStore big(databaseText("rf", "<directory name=\"Big\" category=\"" + huge + "\"/>"), "rf", false);
    EXPECT_EQ(big.store.GetCategory("Big").size(), huge.size());
}

TEST(DirectoryStoreLoadTest, OperationsOnUnknownNamesChangeNothing)
{
    LoadedStore loaded(
        databaseText("rf", R"(<directory name="A" pr="4"><item name="x" index="0" value="v"/></directory>)"));
    DirectoryStore& store = loaded.store;
    std::vector<DirectoryItem> items { DirectoryItem { "keep", ControlType::Edit, 0, "" } };
    EXPECT_FALSE(store.GetItems("B", items));
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "keep");
    EXPECT_FALSE(store.SetPR("B", 3));
    EXPECT_FALSE(store.SetItems("B", items));
    EXPECT_EQ(store.GetPR("B"), 0);
    EXPECT_EQ(store.GetSubmitUrl("B"), "");
    EXPECT_FALSE(store.RemoveDirectory("B"));

    EXPECT_FALSE(store.AddDirectory("A"));
    EXPECT_EQ(store.GetPR("A"), 4);
    EXPECT_TRUE(store.AddDirectory("B"));
    EXPECT_EQ(*store.find("B"), (DirectoryRecord { "B", 0, 0, "", "", "", {}, {} }));
}

} // namespace
