#include "app/AutosaveRules.h"
#include "app/OnlinePages.h"
#include "app/ProfileFieldCopy.h"
#include "app/ProgramArguments.h"
#include "common/HostConfiguration.h"
#include "common/SettingsStore.h"
#include "common/SystemRandomSource.h"
#include "profiles/SiteProfile.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <set>

namespace {

TEST(MainWindowRulesTest, TheIntervalFieldTakesIntegersOnly)
{
    struct Case {
        const char* text;
        std::optional<int> minutes;
    };
    for (const Case& c :
        { Case { "5", 5 }, Case { " 12 ", 12 }, Case { "0", 0 }, Case { "-4", -4 }, Case { "+7", 7 },
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
    // Unknown options are errors; the toolkit's own (one dash) once it has taken them out.
    EXPECT_EQ(parseProgramArguments({ "--bogus" }).error, "unknown option --bogus");
    EXPECT_TRUE(parseProgramArguments({ "-style", "fusion" }).error.empty());
    EXPECT_EQ(parseProgramArguments({ "-bogus" }, true).error, "unknown option -bogus");
    EXPECT_EQ(parseProgramArguments({ "list.xml" }, true).error, "unexpected argument list.xml");
    EXPECT_TRUE(parseProgramArguments({ "--data-dir", "/d" }, true).error.empty());
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

TEST(MainWindowRulesTest, EachCopyMenuEntryCopiesItsOwnField)
{
    SendingProfile::SiteProfile profile;
    profile.url = "http://site.example/";
    profile.email = "owner@site.example";
    profile.titles = { "Title" };
    profile.descriptions = { "Description" };
    profile.keywords = { "key, words" };
    profile.reciprocal = "http://site.example/links.html";
    profile.fname = "Ada";
    profile.lname = "Lovelace";
    profile.username = "ada";
    profile.password = "secret";
    profile.address = "1 Main Street";
    profile.city = "London";
    profile.zip = "N1 9GU";
    profile.province = "not on the menu";

    struct Entry {
        const char* caption;
        const char* text;
    };
    const Entry expected[] = { { "URL", "http://site.example/" }, { "Email", "owner@site.example" },
        { "Link Title", "Title" }, { "Link Description", "Description" }, { "Keywords", "key, words" },
        { "Reciprocal URL", "http://site.example/links.html" }, { "First Name", "Ada" },
        { "Last Name", "Lovelace" }, { "Username", "ada" }, { "Password", "secret" },
        { "Address", "1 Main Street" }, { "City", "London" }, { "Zip Code", "N1 9GU" } };
    ASSERT_EQ(std::size(expected), kCopyMenuFields.size());
    FixedRandom first(0);
    for (std::size_t i = 0; i < kCopyMenuFields.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_STREQ(profileFieldCaption(kCopyMenuFields[i]), expected[i].caption);
        EXPECT_EQ(profileFieldText(kCopyMenuFields[i], profile, first), expected[i].text);
    }
}

TEST(MainWindowRulesTest, SystemRandomPicksStayInRangeAndReachEveryValue)
{
    SystemRandomSource random;
    EXPECT_EQ(random.pick(1), 0u);
    EXPECT_EQ(random.pick(0), 0u); // nothing to draw from: still 0, never undefined
    std::set<std::size_t> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::size_t picked = random.pick(3);
        ASSERT_LT(picked, 3u);
        seen.insert(picked);
    }
    EXPECT_EQ(seen.size(), 3u); // each value has a chance of 1 - (2/3)^1000 to show
}

} // namespace
