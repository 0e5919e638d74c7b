#include "CliRun.h"
#include "directories/DirectoryTestFiles.h"
#include "directories/Scrambling.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using ::testing::HasSubstr;

namespace {

std::string directory(const std::string& name, int pr, int rating, const std::string& linkType = {})
{
    return "<directory name=\"" + name + "\" pr=\"" + std::to_string(pr) + "\" submiturl=\"http://" + name
        + ".example/add\" category=\"Custom\""
        + (rating < 0 ? "" : " rating=\"" + std::to_string(rating) + "\"")
        + (linkType.empty() ? "" : " linktype=\"" + linkType + "\"") + "/>";
}

// A main database with "__general", a list of four directories the user added,
// and a profile that was sent to one of them and skipped another.
struct ListFolder {
    TempFolder folder;

    ListFolder()
    {
        folder.write("dirdata.xml",
            scrambleDatabase(databaseText("rf",
                R"(<directory name="__general"/><directory name="Main Dir" pr="6" submiturl="http://m.example/"/>)")));
        folder.write("customdirdata.xml",
            databaseText("customdirs",
                directory("Alpha", 2, 40) + directory("Beta", 5, 90, "dofollow") + directory("Gamma", 3, -1)
                    + directory("Delta", 1, 90)));
        folder.write("sv.xml",
            "<?xml version=\"1.0\"?><profiles><activeProfile>Mine</activeProfile><profile><name>Mine</name>"
            "<submittedto><friendlyname>Alpha</friendlyname><url>http://Alpha.example/add</url>"
            "<datetime>02 June 2021</datetime></submittedto>"
            "<directorystate directory=\"Delta\" state=\"skipped\" "
            "date=\"2021-01-01\"/></profile></profiles>");
    }

    CliRun run(const std::string& command, std::vector<std::string> words) const
    {
        words.insert(words.begin(), { "directories", command, "--data-dir", folder.path().string() });
        return runCli(words);
    }

    std::vector<std::string> listed(std::vector<std::string> words) const
    {
        words.insert(words.end(), { "--profile", "Mine", "--json" });
        const CliRun list = run("list", words);
        EXPECT_EQ(list.code, 0) << list.err;
        const nlohmann::json json = nlohmann::json::parse(list.out);
        std::vector<std::string> names;
        for (const auto& row : json["directories"])
            names.push_back(row["name"]);
        return names;
    }
};

TEST(DirectoriesCommandTest, ListsInTheTablesOrderForEachSortAndState)
{
    const ListFolder data;
    struct Case {
        std::vector<std::string> words;
        std::vector<std::string> names;
    };
    for (const Case& c : {
             Case { {}, { "Main Dir", "Beta", "Gamma", "Alpha", "Delta" } },
             Case { { "--sort", "rating" }, { "Beta", "Delta", "Alpha", "Gamma", "Main Dir" } },
             Case { { "--sort", "name" }, { "Alpha", "Beta", "Delta", "Gamma", "Main Dir" } },
             Case { { "--sort", "date" }, { "Alpha", "Delta", "Beta", "Gamma", "Main Dir" } },
             Case { { "--sort", "rating", "--state", "new" }, { "Beta", "Gamma", "Main Dir" } },
             Case { { "--state", "sent", "--state", "skipped" }, { "Alpha", "Delta" } },
         })
        EXPECT_EQ(data.listed(c.words), c.names) << ::testing::PrintToString(c.words);

    const CliRun json = data.run("list", { "--profile", "Mine", "--json", "--sort", "date" });
    const nlohmann::json rows = nlohmann::json::parse(json.out)["directories"];
    EXPECT_EQ(
        rows[0], nlohmann::json::parse(R"({"name": "Alpha", "url": "http://Alpha.example/add", "rating": 40,
            "linktype": "", "pr": 2, "category": "Custom", "state": "sent", "date": "2021-06-02"})"));
    EXPECT_EQ(rows[1]["state"], "skipped");
    EXPECT_EQ(rows[3]["rating"], nullptr);
    EXPECT_THAT(data.run("list", { "--profile", "Mine" }).out, HasSubstr("Beta\tnew\t90\tdofollow\t5\t-\t"));
}

TEST(DirectoriesCommandTest, NextAndMarkWorkThroughTheListAndChangeNothingOnABadWord)
{
    const ListFolder data;
    const auto next = [&] { return data.run("next", { "--profile", "Mine", "--sort", "rating" }); };
    EXPECT_EQ(next().out, "Beta\n");
    EXPECT_EQ(nlohmann::json::parse(data.run("next", { "--profile", "Mine", "--json" }).out),
        nlohmann::json::parse(R"({"name": "Main Dir", "url": "http://m.example/"})"));
    EXPECT_EQ(data.run("mark", { "--profile", "Mine", "skipped", "Beta" }).code, 0);
    EXPECT_EQ(next().out, "Gamma\n");

    const std::string before = data.folder.read("sv.xml");
    struct Case {
        std::vector<std::string> words;
        int code;
    };
    for (const Case& c : {
             Case { { "--profile", "Mine", "bogus", "Gamma" }, 2 },
             Case { { "--profile", "Mine", "skipped", "Gamma", "Nowhere" }, 1 },
             Case { { "--profile", "Mine", "skipped", "__general" }, 1 },
             Case { { "--profile", "Nobody", "skipped", "Gamma" }, 1 },
             Case { { "skipped", "Gamma" }, 2 },
             Case { { "--profile", "Mine", "skipped" }, 2 },
         }) {
        EXPECT_EQ(data.run("mark", c.words).code, c.code) << ::testing::PrintToString(c.words);
        EXPECT_EQ(data.folder.read("sv.xml"), before);
    }
    EXPECT_EQ(data.run("list", { "--profile", "Mine", "--state", "bogus" }).code, 2);
    EXPECT_EQ(data.run("next", { "--profile", "Mine", "--sort", "size" }).code, 2);

    EXPECT_EQ(data.run("mark", { "--profile", "Mine", "paid-only", "Gamma", "Main Dir" }).code, 0);
    const CliRun none = next();
    EXPECT_EQ(none.code, 1);
    EXPECT_THAT(none.err, HasSubstr("no directory is left to do"));
    // Back to to do forgets the submission; approved records one.
    EXPECT_EQ(data.run("mark", { "--profile", "Mine", "new", "Alpha" }).code, 0);
    EXPECT_EQ(data.run("mark", { "--profile", "Mine", "approved", "Gamma" }).code, 0);
    EXPECT_EQ(data.listed({ "--state", "new" }), std::vector<std::string> { "Alpha" });
    EXPECT_EQ(data.listed({ "--state", "approved" }), std::vector<std::string> { "Gamma" });
}

} // namespace
