// fill-preview over the test pages of every kind, served on loopback for a
// directory that describes none of their fields: each field must come out as
// its page description under tests/autofill/pages says a person would fill it,
// those of same-origin frames and those a script adds late included.

#include "CliRun.h"
#include "Commands.h"
#include "FillingTestSupport.h"
#include "PreviewField.h"
#include "net/LoopbackServer.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace {

const std::filesystem::path kPages = std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/autofill/pages";
// The page whose form a script adds a second after the load.
constexpr const char* kLatePage = "late";

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Serves every file under the page folder at its path there.
void servePages(LoopbackServer& server)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kPages)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = "/" + std::filesystem::relative(entry.path(), kPages).generic_string();
        const std::string extension = entry.path().extension().string();
        const std::string type = extension == ".html" ? "text/html"
            : extension == ".js"                      ? "text/javascript"
                                                      : "text/plain";
        server.serve(path, 200, fileText(entry.path()), type);
    }
    server.closeConnectionsAfterEachAnswer();
    server.start();
}

TEST(RecognisedFillPreviewTest, EveryKindOfPageIsFilledAsAPersonWould)
{
    LoopbackServer server;
    servePages(server);
    TempFolder data;
    data.write("customdirdata.xml",
        "<?xml version=\"1.0\"?><customdirs><directory name=\"Unknown\" submiturl=\"" + server.url("/")
            + "\"/></customdirs>");
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    SendingProfile::SiteProfile full = recognitionProfile();
    writeProfileFiles(full, data);
    profiles.SetProfile("Full", full);
    ASSERT_TRUE(profiles.Save(data.path("sv.xml")));

    int wanted = 0;
    int right = 0;
    int wrong = 0;
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kPages)) {
        const std::filesystem::path description = entry.path();
        const std::filesystem::path html = std::filesystem::path(description).replace_extension(".html");
        if (description.extension() != ".json" || !std::filesystem::exists(html))
            continue;
        ++pages;
        const std::string page = description.stem().string();
        const CliRun run = runCli({ "fill-preview", "--json", "--data-dir", data.path().string(), "--profile",
                                      "Full", "--directory", "Unknown", "--late-fields",
                                      page == kLatePage ? "3" : "0", server.url("/" + page + ".html") },
            { fillPreviewCommand() });
        ASSERT_EQ(run.code, 0) << page << ": " << run.err;
        // The printed fields by frame, name and index among those of the name.
        std::map<std::tuple<std::string, std::string, int>, nlohmann::json> printed;
        const nlohmann::json preview = nlohmann::json::parse(run.out);
        for (const nlohmann::json& field : preview["fields"])
            printed[{ field.value("frame", ""), field["name"], field["index"] }] = field;

        std::map<std::pair<std::string, std::string>, int> seen;
        const nlohmann::json described = nlohmann::json::parse(fileText(description));
        for (const nlohmann::json& expected : described["elements"]) {
            const std::string frame = expected.value("frame", "");
            const std::string name = expected["name"];
            const auto found = printed.find({ frame, name, seen[{ frame, name }]++ });
            const std::string where = page + " " + frame + " " + name;
            ASSERT_NE(found, printed.end()) << where;
            // A password goes in only with the directory's account, on its own site.
            std::string meaning = expected.value("expect", "");
            if (meaning == "password")
                meaning.clear();
            const std::string given = found->second.value("meaning", "");
            EXPECT_EQ(given, meaning) << where;
            if (meaning.empty()) {
                wrong += !given.empty();
                continue;
            }
            const std::string value = heldValue(found->second);
            const bool valueRight = filledRight(meaning, expected.value("expectvalue", ""), value);
            EXPECT_TRUE(valueRight) << where << " holds \"" << value << "\"";
            ++wanted;
            right += given == meaning && valueRight;
        }
    }
    EXPECT_GE(pages, 15);
    std::cout << "[ share    ] " << right << " of " << wanted << " fields filled right over " << pages
              << " pages in the browser, " << wrong << " filled that must stay empty\n";
    EXPECT_EQ(wrong, 0);
}

// The printed field of that name.
nlohmann::json printedField(const nlohmann::json& preview, const std::string& name)
{
    for (const nlohmann::json& field : preview["fields"]) {
        if (field["name"] == name)
            return field;
    }
    return {};
}

TEST(RecognisedFillPreviewTest, ThePageReceivesTheLogoAsAChosenFileOnTheDirectorysSiteOnly)
{
    LoopbackServer server;
    servePages(server);
    TempFolder data;
    data.write("customdirdata.xml",
        "<?xml version=\"1.0\"?><customdirs><directory name=\"Own\" submiturl=\"" + server.url("/")
            + "\"/><directory name=\"Elsewhere\" submiturl=\"http://directory.example/add\"/></customdirs>");
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    SendingProfile::SiteProfile full = recognitionProfile();
    writeProfileFiles(full, data);
    profiles.SetProfile("Full", full);
    ASSERT_TRUE(profiles.Save(data.path("sv.xml")));
    const auto preview = [&](const char* directory) {
        // A second for the page to read the file it was given.
        const CliRun run =
            runCli({ "fill-preview", "--json", "--data-dir", data.path().string(), "--profile", "Full",
                       "--directory", directory, "--late-fields", "1", server.url("/launch.html") },
                { fillPreviewCommand() });
        EXPECT_EQ(run.code, 0) << run.err;
        return nlohmann::json::parse(run.out);
    };
    const nlohmann::json own = preview("Own");
    EXPECT_EQ(printedField(own, "product[logo]")["files"], nlohmann::json::array({ "logo.png" }));
    EXPECT_EQ(heldValue(printedField(own, "logo_seen")), "logo.png image/png 8 89504e47");
    const nlohmann::json elsewhere = preview("Elsewhere");
    EXPECT_EQ(printedField(elsewhere, "product[logo]")["files"], nlohmann::json::array());
    EXPECT_EQ(printedField(elsewhere, "gallery1")["files"], nlohmann::json::array());
    EXPECT_EQ(heldValue(printedField(elsewhere, "product[company]")), "Widget Works Ltd");
}

} // namespace
