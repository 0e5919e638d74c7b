// The demo directories of the shipped database against the shipped demo site:
// every field of every demo page is filled from a complete profile, the
// category included, as a browser tab would fill it.

#include "CliRun.h"
#include "Commands.h"
#include "common/AtomicFile.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

const std::filesystem::path kBin = VANTELO_BIN_DIR;

class DemoSiteFillPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::optional<std::string> shipped = readFileBytes(kBin / "dirdata.xml");
        ASSERT_TRUE(shipped) << "the build did not make dirdata.xml";
        m_data.write("dirdata.xml", *shipped);
        RecordingMessageBox messages;
        SendingProfile::ProfileStore profiles(messages);
        SendingProfile::SiteProfile profile;
        profile.url = "http://www.widgets.example/";
        profile.titles = { "Widget Works" };
        profile.descriptions = { "Hand-made widgets and the software to design them." };
        profile.keywords = { "widgets, widget software" };
        profile.categories = "Computers";
        profile.subcategories = "Software";
        profile.email = "jo@widgets.example";
        profile.fname = "Jo";
        profile.lname = "Doe";
        profile.city = "Springfield";
        profile.reciprocal = "http://www.widgets.example/links.html";
        profiles.SetProfile("Widgets", profile);
        ASSERT_TRUE(profiles.Save(m_data.path("sv.xml")));
    }

    nlohmann::json preview(const std::string& directory)
    {
        const CliRun run =
            runCli({ "fill-preview", "--json", "--data-dir", m_data.path().string(), "--profile", "Widgets",
                       "--directory", directory, "--late-fields", "0", submitUrl(directory) },
                { fillPreviewCommand() });
        EXPECT_EQ(run.code, 0) << run.err;
        return run.code == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
    }

    std::string submitUrl(const std::string& directory) const
    {
        const CliRun list = runCli({ "db", "list", "--json", m_data.path("dirdata.xml").string() });
        const nlohmann::json database = nlohmann::json::parse(list.out);
        for (const nlohmann::json& record : database["directories"]) {
            if (record.value("name", "") == directory)
                return record["submiturl"].get<std::string>();
        }
        ADD_FAILURE() << "no directory " << directory;
        return {};
    }

    // Describes every field that the fill left empty, unchecked or unchosen.
    static std::vector<std::string> unfilled(const nlohmann::json& page)
    {
        std::vector<std::string> missing;
        for (const nlohmann::json& field : page["fields"]) {
            const std::string name = field["name"].get<std::string>();
            const std::string type = field.value("type", "");
            if (type == "submit")
                continue;
            if (field["tag"] == "select") {
                if (field["selected"].is_null()
                    || field["selected"].get<std::string>().find("Software") == std::string::npos)
                    missing.push_back(name + " chose " + field["selected"].dump());
            } else if (type == "checkbox") {
                if (!field["checked"].get<bool>())
                    missing.push_back(name + " is not checked");
            } else {
                const std::string value = field["value"].get<std::string>();
                if (value.empty() || value == "http://")
                    missing.push_back(name + " holds \"" + value + "\"");
            }
        }
        return missing;
    }

    static std::string valueOf(const nlohmann::json& page, const std::string& name)
    {
        for (const nlohmann::json& field : page["fields"])
            if (field["name"] == name)
                return field.value("value", "");
        return "(no field " + name + ")";
    }

    TempFolder m_data;
};

TEST_F(DemoSiteFillPreviewTest, EveryDemoPageIsFilledCompletely)
{
    for (const char* directory :
        { "Demo Link Directory", "Demo Web Guide", "Demo Reciprocal Links", "Demo Site Index" }) {
        SCOPED_TRACE(directory);
        const nlohmann::json page = preview(directory);
        ASSERT_TRUE(page.contains("fields"));
        EXPECT_GE(page["fields"].size(), 7u);
        EXPECT_EQ(unfilled(page), std::vector<std::string>());
        EXPECT_EQ(page["picks"]["title"], "Widget Works");
    }
}

TEST_F(DemoSiteFillPreviewTest, DemoPagesGetTheirOwnFieldsAndShowTheReciprocalCode)
{
    const nlohmann::json reciprocal = preview("Demo Reciprocal Links");
    EXPECT_EQ(valueOf(reciprocal, "RECPR_URL"), "http://www.widgets.example/links.html");
    EXPECT_THAT(reciprocal["reciprocalcode"].dump(), HasSubstr("Demo Reciprocal Links"));
    EXPECT_EQ(valueOf(reciprocal, "OWNER_NAME"), "Jo Doe");

    const nlohmann::json siteIndex = preview("Demo Site Index");
    EXPECT_EQ(valueOf(siteIndex, "town"), "Springfield");
    EXPECT_EQ(valueOf(siteIndex, "link_url"), "http://www.widgets.example/");
    EXPECT_TRUE(siteIndex["reciprocalcode"].is_null());
}

} // namespace
