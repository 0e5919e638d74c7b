#include "CliRun.h"
#include "net/LoopbackServer.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

using ::testing::HasSubstr;

// A profile sent to a directory that lists its site with a nofollow link and to
// one that does not answer: the command tells both, keeps the results in
// sv.xml, and its exit code says whether any directory could be reached.
TEST(ListingsCommandThreadedTest, VerifiesTheProfilesDirectoriesAndKeepsTheResults)
{
    LoopbackServer server;
    server.serve("/", 200, R"(<a href="/new">Latest links</a>)", "text/html");
    server.serve(
        "/new", 200, R"(<a href="http://example-site.test/" rel="nofollow">Example</a>)", "text/html");
    server.start();
    const std::string dead = "http://127.0.0.1:" + std::to_string(refusedPort()) + "/add";

    TempFolder folder;
    folder.write("sv.xml",
        "<?xml version=\"1.0\"?><profiles><profile><name>Mine</name><url>http://example-site.test</url>"
        "<submittedto><friendlyname>Listing Dir</friendlyname><url>"
            + server.url("/add")
            + "</url>"
              "<datetime>02 June 2021</datetime></submittedto><submittedto><friendlyname>Dead "
              "Dir</friendlyname><url>"
            + dead + "</url><datetime>02 June 2021</datetime></submittedto></profile></profiles>");
    const std::vector<std::string> verify { "listings", "verify", "--data-dir", folder.path().string(),
        "--profile", "Mine" };

    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> words = verify;
        words.insert(words.end(), more.begin(), more.end());
        return runCli(words);
    };
    const CliRun run = with({ "--json" });
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json listings = nlohmann::json::parse(run.out)["listings"];
    ASSERT_EQ(listings.size(), 2u);
    EXPECT_EQ(listings[0]["directory"], "Listing Dir");
    EXPECT_EQ(listings[0]["state"], "listed");
    EXPECT_EQ(listings[0]["page"], server.url("/new"));
    EXPECT_EQ(listings[0]["link"], "http://example-site.test/");
    EXPECT_EQ(listings[0]["rel"], "nofollow");
    EXPECT_EQ(listings[0]["direct"], true);
    EXPECT_EQ(listings[0]["anchor"], "Example");
    EXPECT_EQ(listings[1]["state"], "unreachable");

    std::stringstream saved;
    saved << std::ifstream(folder.path() / "sv.xml").rdbuf();
    EXPECT_THAT(saved.str(), HasSubstr("approved=\"yes\""));
    EXPECT_THAT(saved.str(), HasSubstr("<listing directory=\"Listing Dir\" state=\"listed\""));

    const CliRun text = with({ "--directory", "Listing Dir" });
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out, "Listing Dir\tlisted\tnofollow\tdirect\t" + server.url("/new") + "\n");
    EXPECT_EQ(with({ "--directory", "Dead Dir" }).code, 1);
    const CliRun unknown = with({ "--directory", "Nowhere" });
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("Nowhere"));
    EXPECT_EQ(runCli({ "listings", "verify", "--data-dir", folder.path().string() }).code, 2);
}
