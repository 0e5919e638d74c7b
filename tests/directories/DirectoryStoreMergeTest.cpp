#include "DirectoryTestFiles.h"

#include "common/DataFolder.h"
#include "directories/HostKey.h"
#include "directories/Scrambling.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

TEST(HostKeyTest, DropsOnlyTheExactPrefixes)
{
    EXPECT_EQ(hostKey("http://www.dir.example/add.php"), "dir.example");
    EXPECT_EQ(hostKey("http://dir.example"), "dir.example");
    EXPECT_EQ(hostKey("www.dir.example/x"), "dir.example");
    EXPECT_EQ(hostKey("HTTP://www.dir.example/x"), "HTTP:");
    EXPECT_EQ(hostKey("https://www.dir.example/x"), "https:");
    EXPECT_EQ(hostKey("http://WWW.dir.example/x"), "WWW.dir.example");
    EXPECT_EQ(hostKey("http://"), "");
    EXPECT_EQ(hostKey(""), "");
}

// Main and custom stores loaded from texts.
struct MergeFixture {
    LoadedStore main;
    LoadedStore custom;

    MergeFixture(std::string_view mainBody, std::string_view customBody)
        : main(databaseText("rf", mainBody))
        , custom(databaseText("customdirs", customBody), "customdirs")
    {
        main.store.mergeLoadedCustom(custom.store);
    }
};

TEST(DirectoryStoreMergeTest, CustomReplacesMainOfSameNameKeepingRevisionAndPR)
{
    MergeFixture merge(
        R"(<directory name="Dir" submiturl="http://a.example/" pr="2" revision="1" onsubmit="Thanks" category="Old"/>)"
        R"(<directory name="Other" submiturl="http://b.example/"/>)",
        R"(<directory name="Dir" submiturl="http://c.example/" pr="7" revision="5" onsubmit="Custom thanks" category="Custom">)"
        R"(<item name="n" index="0" value="#url#" type="edit"/></directory>)");
    EXPECT_THAT(namesOf(merge.main.store), ElementsAre("Dir", "Other"));
    const DirectoryRecord& dir = *merge.main.store.find("Dir");
    EXPECT_EQ(dir.submitUrl, "http://c.example/");
    EXPECT_EQ(dir.pr, 7);
    EXPECT_EQ(dir.revision, 5);
    EXPECT_EQ(dir.category, "Custom");
    EXPECT_EQ(dir.onSubmit, "");
    EXPECT_EQ(dir.items.size(), 1u);
    EXPECT_EQ(merge.custom.store.GetOnSubmit("Dir"), "Custom thanks");
}

TEST(DirectoryStoreMergeTest, CustomReplacesMainOfSameHostKey)
{
    MergeFixture merge(R"(<directory name="Main Name" submiturl="http://www.host.example/submit.php"/>)"
                       R"(<directory name="Secure" submiturl="https://secure.example/add"/>)"
                       R"(<directory name="Upper" submiturl="HTTP://upper.example/add"/>)",
        R"(<directory name="Custom Name" submiturl="http://host.example/other/path"/>)"
        R"(<directory name="Secure Copy" submiturl="http://secure.example/add"/>)"
        R"(<directory name="Upper Copy" submiturl="http://upper.example/add"/>)");
    EXPECT_THAT(namesOf(merge.main.store),
        ElementsAre("Custom Name", "Secure", "Secure Copy", "Upper", "Upper Copy"));
}

TEST(DirectoryStoreMergeTest, FirstMainRecordOfAHostKeyIsTheOneReplaced)
{
    MergeFixture merge(
        R"(<directory name="A" submiturl="http://same.example/1"/><directory name="B" submiturl="http://same.example/2"/>)",
        R"(<directory name="C" submiturl="http://www.same.example/"/>)");
    EXPECT_THAT(namesOf(merge.main.store), ElementsAre("B", "C"));
}

TEST(DirectoryStoreMergeTest, CustomDirectoriesNeverPushEachOtherOut)
{
    // "A" of the custom store has taken the place of main "A"; "B" shares main
    // "A"'s host key but must not remove the custom "A".
    MergeFixture merge(R"(<directory name="A" submiturl="http://shared.example/"/>)",
        R"(<directory name="A" submiturl="http://elsewhere.example/"/><directory name="B" submiturl="http://shared.example/x"/>)");
    EXPECT_THAT(namesOf(merge.main.store), ElementsAre("A", "B"));
    EXPECT_EQ(merge.main.store.GetSubmitUrl("A"), "http://elsewhere.example/");
}

TEST(DirectoryStoreMergeTest, MergeCustomReadsBothFilesOfTheDataFolder)
{
    TempFolder folder;
    folder.write("dirdata.xml",
        scrambleDatabase(databaseText(
            "rf", R"(<latestrevision no="4"/><directory name="Main" submiturl="http://m.example/"/>)")));
    folder.write("customdirdata.xml",
        databaseText("customdirs", R"(<directory name="Mine" submiturl="http://mine.example/" pr="3"/>)"));
    RecordingMessageBox messages;
    DirectoryStore main(messages);
    DirectoryStore custom(messages, "customdirs");
    main.MergeCustom(custom, DataFolder(folder.path()));
    EXPECT_THAT(namesOf(main), ElementsAre("Main", "Mine"));
    EXPECT_THAT(namesOf(custom), ElementsAre("Mine"));
    EXPECT_EQ(main.GetLatestDirectoryRevision(), 4);
    EXPECT_EQ(main.GetPR("Mine"), 3);
    EXPECT_TRUE(messages.empty());

    // With neither file present, the stores are empty and nothing is reported.
    TempFolder empty;
    DirectoryStore emptyMain(messages);
    DirectoryStore emptyCustom(messages, "customdirs");
    emptyMain.MergeCustom(emptyCustom, DataFolder(empty.path()));
    EXPECT_TRUE(namesOf(emptyMain).empty());
    EXPECT_TRUE(messages.empty());
}

TEST(DirectoryStoreMergeTest, MergingAgainStartsFromTheFilesWithOrWithoutAMainDatabase)
{
    for (const bool withMainDatabase : { false, true }) {
        TempFolder folder;
        if (withMainDatabase)
            folder.write("dirdata.xml",
                scrambleDatabase(
                    databaseText("rf", R"(<directory name="Main" submiturl="http://m.example/"/>)")));
        folder.write("customdirdata.xml",
            databaseText("customdirs",
                R"(<directory name="Kept" submiturl="http://kept.example/" pr="1"/>)"
                R"(<directory name="Renamed" submiturl="http://renamed.example/"/>)"
                R"(<directory name="Checked" submiturl="http://checked.example/"/>)"));
        RecordingMessageBox messages;
        DirectoryStore main(messages);
        DirectoryStore custom(messages, "customdirs");
        const DataFolder data(folder.path());
        main.MergeCustom(custom, data);

        // The list checker disables one, the manager renames another and edits the third.
        folder.write("customdirdata.xml",
            databaseText("customdirs",
                R"(<directory name="Kept" submiturl="http://kept.example/new" pr="4"/>)"
                R"(<directory name="New Name" submiturl="http://renamed.example/"/>)"
                R"(<directory name="Checked" submiturl="http://checked.example/" enabled="false"/>)"));
        main.MergeCustom(custom, data);
        if (withMainDatabase)
            EXPECT_THAT(namesOf(main), ElementsAre("Kept", "Main", "New Name"));
        else
            EXPECT_THAT(namesOf(main), ElementsAre("Kept", "New Name"));
        EXPECT_EQ(main.GetSubmitUrl("Kept"), "http://kept.example/new");
        EXPECT_EQ(main.GetPR("Kept"), 4);
        EXPECT_TRUE(messages.empty());
    }
}

} // namespace
