// vantelo-cli learn --add followed by vantelo-cli fill-preview, over every test
// site that has a submission page: the learned directory alone must fill each
// field it learned, in the browser, from the profile.

#include "CliRun.h"
#include "Commands.h"
#include "FillingTestSupport.h"
#include "PreviewField.h"
#include "custom/TestSites.h"
#include "net/LoopbackServer.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

TEST(LearnedFillPreviewTest, EveryLearnedSiteIsFilledByItsOwnItems)
{
    TempFolder data;
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    profiles.SetProfile("Full", recognitionProfile());
    ASSERT_TRUE(profiles.Save(data.path("sv.xml")));

    const std::string url = recognitionProfile().url;
    const std::string withoutScheme = url.substr(url.find("://") + 3);
    int sites = 0;
    for (const TestSite& site : testSites()) {
        if (site.submitPath.empty())
            continue;
        ++sites;
        LoopbackServer server;
        serveTestSite(server, site.name);
        const CliRun learned = runCli({ "learn", "--json", "--data-dir", data.path().string(), "--add",
            "--name", site.name, server.url(site.start) });
        ASSERT_EQ(learned.code, 0) << site.name << ": " << learned.err;
        const nlohmann::json lesson = nlohmann::json::parse(learned.out);
        ASSERT_FALSE(lesson["items"].empty()) << site.name;

        const CliRun run = runCli({ "fill-preview", "--json", "--data-dir", data.path().string(), "--profile",
                                      "Full", "--directory", site.name, "--late-fields", "0",
                                      "--show-passwords", lesson["submiturl"].get<std::string>() },
            { fillPreviewCommand() });
        ASSERT_EQ(run.code, 0) << site.name << ": " << run.err;
        std::map<std::string, std::vector<nlohmann::json>> printed;
        const nlohmann::json preview = nlohmann::json::parse(run.out);
        for (const nlohmann::json& field : preview["fields"])
            printed[field["name"] == "" ? field["id"].get<std::string>() : field["name"].get<std::string>()]
                .push_back(field);

        for (const nlohmann::json& item : lesson["items"]) {
            const std::string name = item["name"];
            const std::string where = site.name + " " + name;
            const std::vector<nlohmann::json>& fields = printed[name];
            // The item's index counts every element of the name, a <meta name="description">
            // too, while the preview counts the fields only.
            const std::size_t index = fields.size() == 1 ? 0 : item["index"].get<std::size_t>();
            ASSERT_LT(index, fields.size()) << where;
            const nlohmann::json& field = fields[index];
            // A field the items describe is left to them, not to the recognition.
            EXPECT_FALSE(field.contains("meaning")) << where;
            // Which category the drop-down gets depends on the profile's categories
            // matching the site's; the category choice has tests of its own.
            if (item["type"] == "select")
                continue;
            const std::string value = heldValue(field);
            EXPECT_TRUE(
                filledRight(item["meaning"], item["value"] == "#url_no_http#" ? withoutScheme : "", value))
                << where << " holds \"" << value << "\"";
        }
    }
    EXPECT_GE(sites, 10);
}

} // namespace
