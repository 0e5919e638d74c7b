#include "DirectoryTestFiles.h"

#include "common/FileLock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>

using ::testing::ElementsAre;

namespace {

DirectoryRecord sampleRecord(std::string name)
{
    DirectoryRecord record;
    record.name = std::move(name);
    record.submitUrl = "http://dir.example/submit.php?a=1&b=2";
    record.category = "Kunst,Café,日本,";
    record.pr = 6;
    record.revision = -2;
    record.listFacts = { 56, "dofollow", "freemium" };
    record.items = { { "TITLE", ControlType::Edit, 0, "#title# & <more>" },
        { "CAT", ControlType::Select, 1, "Ünïcode" }, { "AGREE", ControlType::Checkbox, 0, "True" },
        { "RECPR_URL", ControlType::Reciprocal, 0, "" },
        { "RECPR_TEXT", ControlType::ReciprocalText, 1, "" } };
    return record;
}

void putRecord(DirectoryStore& store, const DirectoryRecord& record)
{
    store.AddDirectory(record.name);
    store.SetSubmitUrl(record.name, record.submitUrl);
    store.SetCategory(record.name, record.category);
    store.SetPR(record.name, record.pr);
    store.SetRevision(record.name, record.revision);
    store.SetItems(record.name, record.items);
    store.SetListFacts(record.name, record.listFacts);
}

TEST(DirectoryStoreSaveTest, WritesAttributesInTheirOrderAndNamesInByteOrder)
{
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    store.AddDirectory("alpha");
    store.AddDirectory("Zeta");
    store.SetItems("Zeta",
        { { "T", ControlType::Edit, 0, "#title#" }, { "R", ControlType::Reciprocal, 0, "" },
            { "C", ControlType::ReciprocalText, 2, "x" } });
    store.SetPR("Zeta", 3);
    store.SetListFacts("alpha", { 7, "nofollow", "paid" });
    store.Serialize();
    EXPECT_EQ(store.documentText(),
        "<?xml version=\"1.0\"?>\n"
        "<customdirs>\n"
        "\t<directory name=\"Zeta\" submiturl=\"\" onsubmit=\"\" category=\"\" pr=\"3\" revision=\"0\">\n"
        "\t\t<item name=\"T\" value=\"#title#\" index=\"0\" type=\"edit\" />\n"
        "\t\t<item name=\"R\" value=\"\" index=\"0\" type=\"reciprocal\" />\n"
        "\t\t<item name=\"C\" value=\"x\" index=\"2\" type=\"reciprocaltext\" />\n"
        "\t</directory>\n"
        "\t<directory name=\"alpha\" submiturl=\"\" onsubmit=\"\" category=\"\" pr=\"0\" revision=\"0\" "
        "rating=\"7\" linktype=\"nofollow\" pricing=\"paid\" />\n"
        "</customdirs>\n");
}

TEST(DirectoryStoreSaveTest, CustomDatabaseRoundTripKeepsEveryByte)
{
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    const DirectoryRecord record = sampleRecord("Ein Verzeichnis 'eins' \"zwei\" & <drei>");
    putRecord(store, record);
    ASSERT_TRUE(store.SaveCustom(folder.path("customdirdata.xml"), true));

    DirectoryStore reloaded(messages, "customdirs");
    ASSERT_TRUE(reloaded.Load(folder.path("customdirdata.xml"), true, false));
    ASSERT_NE(reloaded.find(record.name), nullptr);
    EXPECT_EQ(*reloaded.find(record.name), record);
    EXPECT_TRUE(messages.empty());
}

TEST(DirectoryStoreSaveTest, SaveFlagFalseWritesNothing)
{
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    store.AddDirectory("A");
    EXPECT_TRUE(store.SaveCustom(folder.path("customdirdata.xml"), false));
    EXPECT_FALSE(folder.exists("customdirdata.xml"));
}

TEST(DirectoryStoreSaveTest, FailedSaveIsReportedAndKeepsTheOldFile)
{
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    store.AddDirectory("A");
    EXPECT_FALSE(store.SaveCustom(folder.path("missing/customdirdata.xml"), true));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0],
        vanteloError("An exception occurred while saving your custom directory list: "
                     "No such file or directory\r\nDetails: cannot create a temporary file in "
            + folder.path("missing").string()));

    // A folder in place of the file cannot be replaced; nothing else changes.
    std::filesystem::create_directory(folder.path("taken.xml"));
    folder.write("taken.xml/inside", "old");
    EXPECT_FALSE(store.SaveCustom(folder.path("taken.xml"), true));
    EXPECT_EQ(folder.read("taken.xml/inside"), "old");
    EXPECT_EQ(folder.entries(), (std::vector<std::string> { ".taken.xml.lock", "taken.xml" }));
}

TEST(DirectoryStoreSaveTest, ASaveTakesInWhatAnotherProgramSavedSinceTheFileWasRead)
{
    TempFolder folder;
    RecordingMessageBox messages;
    const std::filesystem::path file = folder.path("customdirdata.xml");
    DirectoryStore window(messages, "customdirs");
    for (const char* name : { "Kept", "Changed there", "Removed there", "Changed here", "Removed here" })
        putRecord(window, sampleRecord(name));
    ASSERT_TRUE(window.SaveCustom(file, true));
    // vantelo-cli reads the file and saves its changes while the window has its own.
    DirectoryStore cli(messages, "customdirs");
    ASSERT_TRUE(cli.Load(file, true, false));
    cli.AddDirectory("Added there");
    cli.SetPR("Changed there", 9);
    cli.RemoveDirectory("Removed there");
    ASSERT_TRUE(cli.SaveCustom(file, true));
    window.AddDirectory("Added here");
    window.SetPR("Changed here", 1);
    window.RemoveDirectory("Removed here");
    ASSERT_TRUE(window.SaveCustom(file, true));

    DirectoryStore saved(messages, "customdirs");
    ASSERT_TRUE(saved.Load(file, true, false));
    std::vector<std::string> names;
    saved.GetDirectoryNames(names);
    EXPECT_THAT(names, ElementsAre("Added here", "Added there", "Changed here", "Changed there", "Kept"));
    EXPECT_EQ(saved.GetPR("Changed there"), 9);
    EXPECT_EQ(saved.GetPR("Changed here"), 1);
    EXPECT_EQ(window.records(), saved.records());
    EXPECT_TRUE(messages.empty());
}

TEST(DirectoryStoreSaveThreadedTest, ASaveWaitsWhileAnotherWriterHoldsTheLock)
{
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore store(messages, "customdirs");
    auto other = std::make_unique<FileLock>(lockFileFor(folder.path("customdirdata.xml")));
    std::future<bool> saving = std::async(
        std::launch::async, [&] { return store.SaveCustom(folder.path("customdirdata.xml"), true); });
    EXPECT_EQ(saving.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    EXPECT_FALSE(folder.exists("customdirdata.xml"));
    other.reset();
    EXPECT_TRUE(saving.get());
    EXPECT_TRUE(folder.exists("customdirdata.xml"));
}

} // namespace
