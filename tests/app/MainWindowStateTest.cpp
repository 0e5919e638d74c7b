#include "app/MainWindowState.h"
#include "directories/DirectoryTestFiles.h"
#include "directories/Scrambling.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

const std::string kSvDat =
    "2\nActive\n1\n"
    "Active\nhttp://site.example/\n1\nTitle\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n1\nAlpha\n";

struct StartedState {
    TempFolder folder;
    RecordingMessageBox messages;
    MainWindowState state { messages, DataFolder(folder.path()) };
};

TEST(MainWindowStateTest, AnSvDatAloneGivesTheActiveProfileWithItsSubmitUrls)
{
    StartedState started;
    started.folder.write("dirdata.xml",
        scrambleDatabase(
            databaseText("rf", R"(<directory name="Alpha" submiturl="http://alpha.example/add"/>)")));
    started.folder.write("sv.dat", kSvDat);
    started.state.load();
    EXPECT_EQ(started.state.active().name(), "Active");
    EXPECT_TRUE(started.state.profiles().IsSubmitted("Active", "", "http://alpha.example/add"));
    // Its password went into data/secrets, which says so once.
    SendingProfile::SiteProfile active;
    started.state.profiles().GetProfile("Active", active);
    EXPECT_EQ(active.password, "p");
    ASSERT_EQ(started.messages.messages().size(), 1u);
    EXPECT_THAT(started.messages.texts().front(), HasSubstr("a file that only you can read"));
}

TEST(MainWindowStateTest, NothingToReadStartsEmptyAndTheFirstSaveMakesTheFiles)
{
    StartedState started;
    started.state.load();
    EXPECT_FALSE(started.state.active().has());
    EXPECT_TRUE(started.state.settings().tabbedBrowsing);
    EXPECT_TRUE(started.state.SaveProfilesAndSettings());
    EXPECT_TRUE(started.state.SaveCustomDirectories());
    EXPECT_TRUE(started.folder.exists("sv.xml"));
    EXPECT_TRUE(started.folder.exists("customdirdata.xml"));
    EXPECT_EQ(started.folder.read("data/settings.xml"),
        "<?xml "
        "version=\"1.0\"?><settings><autofocus>false</autofocus><autosave>true</autosave><autosavei>3</"
        "autosavei>"
        "<autoupdate>true</autoupdate><dirlistversion>0</dirlistversion><visualeffects>true</visualeffects></"
        "settings>");
    EXPECT_TRUE(started.messages.empty());
}

TEST(MainWindowStateTest, TheSettingsAndTheFoldersThatHoldSecretsAreTheOwnersAlone)
{
    StartedState started;
    const auto mode = [&](const char* name) {
        return std::filesystem::status(started.folder.path(name)).permissions();
    };
    const auto open = std::filesystem::perms::owner_all | std::filesystem::perms::others_exec;
    std::filesystem::permissions(started.folder.path(), open);
    started.state.load();
    EXPECT_EQ(mode(""), open); // nothing secret in it yet
    EXPECT_TRUE(started.state.SaveProfilesAndSettings());
    EXPECT_EQ(
        mode("data/settings.xml"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(mode("sv.xml"), mode("data/settings.xml"));
    EXPECT_EQ(mode("data"), std::filesystem::perms::owner_all);
    EXPECT_EQ(mode(""), std::filesystem::perms::owner_all);
    // A folder opened to others since is closed again at the next start.
    std::filesystem::permissions(started.folder.path(), open);
    MainWindowState(started.messages, DataFolder(started.folder.path())).load();
    EXPECT_EQ(mode(""), std::filesystem::perms::owner_all);
}

TEST(MainWindowStateTest, AnIntervalOfZeroIsWrittenBackAsThreeAndOtherKeysStay)
{
    StartedState started;
    started.folder.write("data/settings.xml",
        "<settings><autosavei>0</autosavei><autosave>TRUE</autosave><vendorhost>127.0.0.1:9</vendorhost></"
        "settings>");
    started.state.load();
    EXPECT_EQ(started.state.settings().autosaveMinutes, 3);
    EXPECT_FALSE(started.state.settings().autosave);
    EXPECT_TRUE(started.state.hosts().hasConfiguredVendorHost());
    started.state.SaveProfilesAndSettings();
    const std::string saved = started.folder.read("data/settings.xml");
    EXPECT_THAT(saved, HasSubstr("<autosavei>3</autosavei><autoupdate>"));
    EXPECT_THAT(saved, HasSubstr("<vendorhost>127.0.0.1:9</vendorhost>"));
}

} // namespace
