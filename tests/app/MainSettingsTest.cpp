#include "app/MainSettings.h"
#include "app/DirectoryColumnLayout.h"
#include "common/SettingsStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct MainSettingsFixture : ::testing::Test {
    TempFolder folder;
    RecordingMessageBox messages;
    SettingsStore store { messages };

    bool load(std::string_view text) { return store.LoadSettings(folder.write("data/settings.xml", text)); }
};

TEST_F(MainSettingsFixture, MainSettingsReadWithTheirRules)
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

TEST_F(MainSettingsFixture, RecognitionIsOnUntilTurnedOffAndItsKeyIsWrittenOnceSet)
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

TEST(DirectoryColumnLayoutTest, ALayoutReadsBackAndOddTextsFallBackToTheDefaults)
{
    DirectoryColumnLayout layout = DirectoryColumnLayout::defaults();
    std::swap(layout.columns[0], layout.columns[6]);
    layout.columns[2].hidden = false;
    EXPECT_EQ(DirectoryColumnLayout::parse(layout.text()), layout);
    EXPECT_EQ(DirectoryColumnLayout::parse(""), DirectoryColumnLayout::defaults());
    EXPECT_EQ(
        DirectoryColumnLayout::parse("x:1,,name,pr:abc,-rating:9x,:5"), DirectoryColumnLayout::defaults());
    // The name cannot be hidden; widths are kept within reason; a column named twice counts once.
    const DirectoryColumnLayout odd = DirectoryColumnLayout::parse("date:1,-name:99999,date:300");
    EXPECT_EQ(odd.columns[0], (DirectoryColumnLayout::Column { DirectoryColumn::Date, 16, false }));
    EXPECT_EQ(odd.columns[1], (DirectoryColumnLayout::Column { DirectoryColumn::Name, 2000, false }));
    EXPECT_EQ(odd.columns.size(), std::size_t(kDirectoryColumnCount));
}

} // namespace
