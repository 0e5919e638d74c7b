#include "app/AutosaveRules.h"
#include "app/OnlinePages.h"
#include "app/ProfileFieldCopy.h"
#include "app/ProgramArguments.h"
#include "app/SettingsStore.h"
#include "common/RandomSource.h"
#include "net/HostConfiguration.h"
#include "profiles/SiteProfile.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(MainWindowRulesTest, TheIntervalFieldTakesIntegersOnly)
{
    struct Case {
        const char* text;
        std::optional<int> minutes;
    };
    for (const Case& c : { Case { "5", 5 }, Case { " 12 ", 12 }, Case { "0", 0 }, Case { "-4", -4 }, Case { "+7", 7 },
             Case { "", std::nullopt }, Case { "3.5", std::nullopt }, Case { "ten", std::nullopt },
             Case { "5x", std::nullopt }, Case { "+-5", std::nullopt }, Case { "99999999999", std::nullopt } })
        EXPECT_EQ(parseIntervalText(c.text), c.minutes) << '"' << c.text << '"';
}

TEST(MainWindowRulesTest, AutosaveRunsEveryThreeMinutesForZeroAndNegativeIntervals)
{
    EXPECT_EQ(effectiveAutosaveMinutes(0), 3);
    EXPECT_EQ(effectiveAutosaveMinutes(-2), 3);
    EXPECT_EQ(effectiveAutosaveMinutes(10), 10);
    EXPECT_EQ(autosavePeriodMilliseconds(0), 180000);
    EXPECT_EQ(autosavePeriodMilliseconds(10), 600000);
    EXPECT_EQ(autosavePeriodMilliseconds(INT_MAX), INT_MAX);
}

TEST(MainWindowRulesTest, CommandLineNamesTheDataFolderOrAsksForHelp)
{
    EXPECT_EQ(parseProgramArguments({ "--data-dir", "/d" }).dataDir, "/d");
    EXPECT_EQ(parseProgramArguments({ "--data-dir=/e", "-style", "fusion" }).dataDir, "/e");
    EXPECT_TRUE(parseProgramArguments({ "-h" }).help);
    EXPECT_TRUE(parseProgramArguments({ "--help" }).help);
    EXPECT_TRUE(parseProgramArguments({ "--version" }).version);
    EXPECT_FALSE(parseProgramArguments({ "--help" }).version);
    EXPECT_FALSE(parseProgramArguments({ "--data-dir" }).error.empty());
    EXPECT_FALSE(parseProgramArguments({ "--data-dir=" }).error.empty());
    EXPECT_NE(programUsage().find("--data-dir DIR"), std::string::npos);
    EXPECT_NE(programUsage().find("--version"), std::string::npos);
}

TEST(MainWindowRulesTest, OnlinePagesAreBuiltInUntilAVendorHostIsConfigured)
{
    RecordingMessageBox messages;
    SettingsStore settings(messages);
    const HostConfiguration defaults(settings);
    EXPECT_EQ(onlinePageAddress(OnlinePage::News, defaults), "qrc:/pages/news.html");
    EXPECT_EQ(onlinePageAddress(OnlinePage::UserGuide, defaults), "qrc:/pages/userguide.html");
    EXPECT_EQ(chatRoomAddress(defaults), "");

    settings.SetSetting(HostConfiguration::kVendorKey, "127.0.0.1:8080");
    const HostConfiguration vendor(settings);
    EXPECT_EQ(onlinePageAddress(OnlinePage::News, vendor), "http://127.0.0.1:8080/");
    EXPECT_EQ(onlinePageAddress(OnlinePage::UserGuide, vendor), "http://127.0.0.1:8080/userguide/");
    EXPECT_EQ(onlinePageAddress(OnlinePage::Support, vendor), "http://127.0.0.1:8080/Contact_Us.php");
    EXPECT_EQ(onlinePageAddress(OnlinePage::Updates, vendor), "http://127.0.0.1:8080/updates.php");
    EXPECT_EQ(onlinePageAddress(OnlinePage::Resources, vendor), "http://127.0.0.1:8080/resource_links.php");
    EXPECT_EQ(chatRoomAddress(vendor), "http://127.0.0.1:8080/Enter_Chat.html");
    EXPECT_STREQ(onlinePageCaption(OnlinePage::News), "Vantelo News");
    EXPECT_STREQ(onlinePageCaption(OnlinePage::UserGuide), "Userguide");
}

// Draws the prepared number.
class FixedRandom : public IRandomSource {
public:
    explicit FixedRandom(std::size_t value)
        : m_value(value)
    {
    }
    std::size_t pick(std::size_t) override { return m_value; }

private:
    std::size_t m_value;
};

TEST(MainWindowRulesTest, CopyMenuDrawsTitlesDescriptionsAndKeywordsAtRandom)
{
    SendingProfile::SiteProfile profile;
    profile.url = "http://site.example/";
    profile.titles = { "First", "Second" };
    profile.zip = "12345";
    FixedRandom second(1);
    EXPECT_EQ(profileFieldText(ProfileField::LinkTitle, profile, second), "Second");
    EXPECT_EQ(profileFieldText(ProfileField::LinkDescription, profile, second), "");
    EXPECT_EQ(profileFieldText(ProfileField::Url, profile, second), "http://site.example/");
    EXPECT_EQ(profileFieldText(ProfileField::ZipCode, profile, second), "12345");
    EXPECT_EQ(kCopyMenuFields.size(), 13u);
    EXPECT_STREQ(profileFieldCaption(kCopyMenuFields.back()), "Zip Code");
}

} // namespace
