#include "CliRun.h"
#include "Commands.h"
#include "directories/Scrambling.h"
#include "filling/web/WebTestPages.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <QTest>

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

// A data folder with the directory "Dir" in the main database, "Custom" in the
// custom one, and the profile "Site"; and the loopback submission site.
class FillPreviewCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        serveSubmissionSite(m_server);
        m_data.write("dirdata.xml", scrambleDatabase(R"(<?xml version="1.0"?>
            <rf><directory name="Dir" submiturl="http://dir.example/add">
              <item name="url" type="edit" index="1" value="#url_no_http#"/>
              <item name="agree" type="checkbox" index="0" value="no"/>
              <item name="desc" type="reciprocaltext" index="0" value=""/>
              <item name="cat" type="select" index="0" value=""/></directory>
            <directory name="__general"><item name="loose" type="edit" index="0" value="#title#"/></directory></rf>)"));
        m_data.write("customdirdata.xml", R"(<?xml version="1.0"?>
            <customdirs><directory name="Custom" submiturl="http://custom.example/">
              <item name="q" type="edit" index="0" value="#email#"/></directory></customdirs>)");
        RecordingMessageBox messages;
        SendingProfile::ProfileStore profiles(messages);
        SendingProfile::SiteProfile profile;
        profile.url = "http://www.site.example/";
        profile.titles = { "Site Title" };
        profile.email = "owner@site.example";
        profile.categories = "business";
        profile.subcategories = "consulting";
        profiles.SetProfile("Site", profile);
        ASSERT_TRUE(profiles.Save(m_data.path("sv.xml")));
    }

    CliRun preview(const std::string& directory, const std::string& path, std::vector<std::string> more = {})
    {
        // These pages add no fields late: no need to watch them for long.
        std::vector<std::string> arguments { "fill-preview", "--json", "--data-dir", m_data.path().string(),
            "--directory", directory, "--late-fields", "0" };
        arguments.insert(arguments.end(), more.begin(), more.end());
        arguments.push_back(m_server.url(path));
        return runCli(arguments, { fillPreviewCommand() });
    }

    // The printed field of a name and index.
    static nlohmann::json field(const nlohmann::json& preview, const std::string& name, int index)
    {
        for (const nlohmann::json& entry : preview["fields"])
            if (entry["name"] == name && entry["index"] == index)
                return entry;
        return nullptr;
    }

    LoopbackServer m_server;
    TempFolder m_data;
};

TEST_F(FillPreviewCommandTest, PrintsWhatThePageHoldsAfterTheFill)
{
    const CliRun run = preview("Dir", "/add", { "--profile", "Site", "--category-runs", "2" });
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json printed = nlohmann::json::parse(run.out);
    EXPECT_EQ(printed["fields"].size(), 9u);
    EXPECT_EQ(field(printed, "url", 0),
        nlohmann::json::parse(R"({"tag":"input","name":"url","id":"","type":"","index":0,"value":"http://",
            "checked":false})"));
    EXPECT_EQ(field(printed, "url", 1)["value"], "www.site.example/");
    EXPECT_EQ(field(printed, "agree", 0)["checked"], false);
    EXPECT_EQ(
        field(printed, "cat", 0), nlohmann::json::parse(R"({"tag":"select","name":"cat","id":"","index":0,
            "selected":"|_ Business Consulting Firms"})"));
    EXPECT_EQ(field(printed, "loose", 0)["value"], "Site Title");
    EXPECT_EQ(
        printed["picks"], nlohmann::json::parse(R"({"title":"Site Title","description":"","keywords":""})"));
    EXPECT_EQ(printed["reciprocalcode"], "old text");

    const CliRun custom = preview("Custom", "/add", { "--profile", "Site" });
    ASSERT_EQ(custom.code, 0) << custom.err;
    EXPECT_EQ(field(nlohmann::json::parse(custom.out), "q", 0)["value"], "owner@site.example");
}

TEST_F(FillPreviewCommandTest, ABrowserProfileFolderKeepsItsCookiesFromRunToRun)
{
    LoopbackServer site;
    site.handle("/login", [](const httplib::Request& request, httplib::Response& response) {
        response.headers.emplace("Set-Cookie", "login=yes; Max-Age=3600; Path=/");
        response.set_content(R"(<html><body><input name="seen" value=")" + request.get_header_value("Cookie")
                + R"("></body></html>)",
            "text/html");
    });
    site.closeConnectionsAfterEachAnswer();
    site.start();
    const auto cookieSeen = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments { "fill-preview", "--json", "--data-dir", m_data.path().string(),
            "--directory", "Dir", "--profile", "Site", "--late-fields", "0" };
        arguments.insert(arguments.end(), more.begin(), more.end());
        arguments.push_back(site.url("/login"));
        const CliRun run = runCli(arguments, { fillPreviewCommand() });
        // A run of the program ends with its process; here the profile's cookies need a moment
        // to reach the folder before the next run reads it.
        QTest::qWait(1000);
        EXPECT_EQ(run.code, 0) << run.err;
        return run.code == 0 ? field(nlohmann::json::parse(run.out), "seen", 0)["value"] : nlohmann::json();
    };
    const std::string kept = m_data.path("kept").string();
    EXPECT_EQ(cookieSeen({ "--browser-profile", kept }), "");
    EXPECT_EQ(cookieSeen({ "--browser-profile", kept }), "login=yes");
    // Without the option nothing is kept, and the data folder gets no browser folder.
    EXPECT_EQ(cookieSeen({}), "");
    EXPECT_FALSE(std::filesystem::exists(m_data.path("data/browser")));
}

TEST_F(FillPreviewCommandTest, APageOnAnotherSiteIsFilledOnlyWithFollowRedirects)
{
    // Another port is another site.
    LoopbackServer away;
    away.handle("/moved", [this](const httplib::Request&, httplib::Response& response) {
        response.set_redirect(m_server.url("/add"));
    });
    away.closeConnectionsAfterEachAnswer();
    away.start();
    const auto run = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments { "fill-preview", "--json", "--data-dir", m_data.path().string(),
            "--directory", "Dir", "--profile", "Site", "--late-fields", "0" };
        arguments.insert(arguments.end(), more.begin(), more.end());
        arguments.push_back(away.url("/moved"));
        return runCli(arguments, { fillPreviewCommand() });
    };
    const CliRun stopped = run({});
    EXPECT_EQ(stopped.code, 1);
    EXPECT_THAT(stopped.err, HasSubstr("led to another site, " + m_server.url("/add")));
    EXPECT_EQ(stopped.out, "");
    const CliRun followed = run({ "--follow-redirects" });
    ASSERT_EQ(followed.code, 0) << followed.err;
    EXPECT_EQ(field(nlohmann::json::parse(followed.out), "loose", 0)["value"], "Site Title");
}

TEST_F(FillPreviewCommandTest, AnUnknownProfileDirectoryOrPageIsAnError)
{
    const struct {
        const char* directory;
        const char* profile;
        const char* path;
        int code;
        const char* message;
    } cases[] = {
        { "Dir", "Nobody", "/add", 1, "no profile named \"Nobody\"" },
        { "Nowhere", "Site", "/add", 1, "no directory named \"Nowhere\"" },
        { "Dir", "Site", "/missing", 1, "the page did not load: " },
        { "Dir", nullptr, "/add", 2, "usage" },
    };
    for (const auto& c : cases) {
        std::vector<std::string> more;
        if (c.profile)
            more = { "--profile", c.profile };
        const CliRun run = preview(c.directory, c.path, more);
        EXPECT_EQ(run.code, c.code) << c.message;
        EXPECT_THAT(run.err, HasSubstr(c.message));
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
