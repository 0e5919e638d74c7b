#include "app/SettingsStore.h"
#include "app/MainSettings.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Pair;

namespace {

struct SettingsFixture : ::testing::Test {
    TempFolder folder;
    RecordingMessageBox messages;
    SettingsStore store { messages };

    bool load(std::string_view text) { return store.LoadSettings(folder.write("data/settings.xml", text)); }
};

TEST_F(SettingsFixture, KeepsUnknownKeysAndWritesInKeyOrderWithoutWhiteSpace)
{
    ASSERT_TRUE(load("<?xml version=\"1.0\"?>\n<anything>\n  <zeta>1</zeta>\n  <autosave>true</autosave>\n"
                     "  <empty></empty>\n  <Upper>u</Upper>\n</anything>"));
    EXPECT_THAT(
        store.entries(), ElementsAre(Pair("Upper", "u"), Pair("autosave", "true"), Pair("zeta", "1")));
    ASSERT_TRUE(store.SaveSettings(folder.path("data/settings.xml")));
    EXPECT_EQ(folder.read("data/settings.xml"),
        "<?xml "
        "version=\"1.0\"?><settings><Upper>u</Upper><autosave>true</autosave><zeta>1</zeta></settings>");
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFixture, ElementsHoldingMarkupOrNothingAreSkipped)
{
    ASSERT_TRUE(load("<settings><a><b>x</b></a><c>te<d/>xt</c><e/><f>&lt;b&gt; &amp;</f></settings>"));
    EXPECT_THAT(store.entries(), ElementsAre(Pair("c", "te"), Pair("f", "<b> &")));
    ASSERT_TRUE(store.SaveSettings(folder.path("out.xml")));
    EXPECT_EQ(folder.read("out.xml"),
        "<?xml version=\"1.0\"?><settings><c>te</c><f>&lt;b&gt; &amp;</f></settings>");
}

TEST_F(SettingsFixture, DuplicateKeysFirstIsReadAndReplaced)
{
    ASSERT_TRUE(load("<settings><k>first</k><k>second</k></settings>"));
    EXPECT_EQ(store.GetSetting("k"), "first");
    store.SetSetting("k", "new");
    EXPECT_THAT(store.entries(), ElementsAre(Pair("k", "second"), Pair("k", "new")));
    EXPECT_EQ(store.GetSetting("missing"), std::nullopt);
}

TEST_F(SettingsFixture, UnreadableFilesLeaveNoEntriesAndNoMessage)
{
    store.SetSetting("stale", "x");
    EXPECT_FALSE(store.LoadSettings(folder.path("none.xml")));
    EXPECT_TRUE(store.entries().empty());
    store.SetSetting("stale", "x");
    EXPECT_FALSE(load("<settings><a>1</a>"));
    EXPECT_TRUE(store.entries().empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFixture, FailedSaveIsReported)
{
    store.SetSetting("a", "1");
    EXPECT_FALSE(store.SaveSettings(folder.path("nodata/settings.xml")));
    EXPECT_THAT(messages.messages(),
        ElementsAre(vanteloError("An exception occurred while saving your settings: No such file or "
                                 "directory\r\nDetails: cannot create a temporary file in "
            + folder.path("nodata").string())));
}

TEST_F(SettingsFixture, MainSettingsReadWithTheirRules)
{
    MainSettings defaults = readMainSettings(store);
    EXPECT_TRUE(defaults.tabbedBrowsing && defaults.autosave && defaults.autoUpdate);
    EXPECT_EQ(defaults.autosaveMinutes, 3);
    EXPECT_EQ(defaults.autoFocus, std::nullopt);

    ASSERT_TRUE(
        load("<settings><autosave>TRUE</autosave><autosavei>0</autosavei><visualeffects>false</visualeffects>"
             "<dirlistversion>12x</dirlistversion><autoupdate>true</autoupdate><autofocus>true</autofocus>"
             "</settings>"));
    const MainSettings read = readMainSettings(store);
    EXPECT_FALSE(read.autosave);
    EXPECT_EQ(read.autosaveMinutes, 3);
    EXPECT_FALSE(read.tabbedBrowsing);
    EXPECT_EQ(read.directoryListVersion, 12);
    EXPECT_EQ(read.autoFocus, true);

    writeMainSettings(store, read);
    ASSERT_TRUE(store.SaveSettings(folder.path("data/settings.xml")));
    EXPECT_EQ(folder.read("data/settings.xml"),
        "<?xml version=\"1.0\"?><settings><autofocus>true</autofocus><autosave>false</autosave>"
        "<autosavei>3</autosavei><autoupdate>true</autoupdate><dirlistversion>12</dirlistversion>"
        "<visualeffects>false</visualeffects></settings>");
}

TEST_F(SettingsFixture, RecognitionIsOnUntilTurnedOffAndItsKeyIsWrittenOnceSet)
{
    ASSERT_TRUE(load("<settings><autosave>true</autosave></settings>"));
    MainSettings settings = readMainSettings(store);
    EXPECT_TRUE(recognizesForms(settings));
    writeMainSettings(store, settings);
    EXPECT_EQ(store.GetSetting("recognizeforms"), std::nullopt);

    settings.recognizeForms = false;
    writeMainSettings(store, settings);
    ASSERT_TRUE(store.SaveSettings(folder.path("data/settings.xml")));
    ASSERT_TRUE(load(folder.read("data/settings.xml")));
    EXPECT_FALSE(recognizesForms(readMainSettings(store)));
    ASSERT_TRUE(load("<settings><recognizeforms>TRUE</recognizeforms></settings>"));
    EXPECT_FALSE(recognizesForms(readMainSettings(store)));
}

} // namespace
