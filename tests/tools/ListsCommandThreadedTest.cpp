#include "CliRun.h"
#include "directories/DirectoryStore.h"
#include "directories/DirectoryTestFiles.h"
#include "directories/Scrambling.h"
#include "net/LoopbackServer.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sys/stat.h>

using ::testing::HasSubstr;

namespace {

// A data folder with a custom and a main directory, and a list served with an
// ETag that answers "not modified" to a request that sends it back.
class ListsCommandThreaded : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.handle("/list.csv", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(m_mutex);
            m_validators.push_back(request.get_header_value("If-None-Match"));
            response.set_header("ETag", m_etag);
            if (request.get_header_value("If-None-Match") == m_etag)
                response.status = 304;
            else
                response.set_content(m_list, "text/csv");
        });
        m_server.serve("/page", 200, "<!DOCTYPE html><html><body>Sign in</body></html>", "text/html");
        m_server.serve("/missing", 404, "no such list");
        m_server.handle("/loop",
            [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/loop"); });
        m_server.start();
        m_folder.write("customdirdata.xml",
            databaseText("customdirs",
                R"(<directory name="Mine" submiturl="http://mine.example/" category="Custom"/>)"));
        m_folder.write("dirdata.xml",
            scrambleDatabase(
                databaseText("rf", R"(<directory name="Vendor" submiturl="http://vendor.example/add"/>)")));
    }

    void serveList(const std::string& etag, const std::string& list)
    {
        std::lock_guard lock(m_mutex);
        m_etag = etag;
        m_list = list;
    }

    CliRun run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin() + 2, { "--data-dir", m_folder.path().string() });
        return runCli(arguments);
    }

    nlohmann::json update()
    {
        const CliRun result = run({ "lists", "update", "--json" });
        return nlohmann::json::parse(result.out)["lists"];
    }

    DirectoryStore::RecordMap saved()
    {
        DirectoryStore store(m_messages, "customdirs");
        store.Load(m_folder.path("customdirdata.xml"), true, false);
        return store.records();
    }

    LoopbackServer m_server;
    TempFolder m_folder;
    RecordingMessageBox m_messages;
    std::mutex m_mutex;
    std::string m_etag;
    std::string m_list;
    std::vector<std::string> m_validators;
};

TEST_F(ListsCommandThreaded, FollowsAListThroughFirstFetchNotModifiedAndChange)
{
    const std::string url = m_server.url("/list.csv");
    serveList("\"v1\"",
        "name,url,dr,link type,category\n"
        "Alpha,alpha.example,30,dofollow,\xF0\x9F\x9A\x80 Launch\n"
        "Mine,mine.example,44,,\n"
        "Vendor,vendor.example,10,,\n"
        "Beta,beta.example,,,\n");
    EXPECT_EQ(run({ "lists", "add", url }).code, 0);
    EXPECT_EQ(update(),
        nlohmann::json::parse(
            R"([{"url": ")" + url + R"(", "added": 2, "updated": 1, "gone": 0, "unchanged": 1}])"));
    EXPECT_EQ(saved().at("Alpha"),
        (DirectoryRecord { "Alpha", 0, 0, "https://alpha.example", "Custom,Launch", "", {},
            { 30, "dofollow", "", false } }));
    EXPECT_EQ(saved().at("Mine").listFacts.rating, 44);

    // The ETag goes back and the server says nothing changed.
    EXPECT_EQ(update()[0]["unchanged"], 4);
    EXPECT_EQ(m_validators, (std::vector<std::string> { "", "\"v1\"" }));

    serveList("\"v2\"",
        "name,url,dr,link type,category\n"
        "Alpha,alpha.example,35,dofollow,Launch\n"
        "Mine,mine.example,44,,\nVendor,vendor.example,10,,\nGamma,gamma.example,,,\n");
    EXPECT_EQ(update(),
        nlohmann::json::parse(
            R"([{"url": ")" + url + R"(", "added": 1, "updated": 1, "gone": 1, "unchanged": 2}])"));
    // Beta left the list: marked, not deleted.
    EXPECT_TRUE(saved().at("Beta").listFacts.unlisted);
    EXPECT_EQ(saved().at("Alpha").listFacts.rating, 35);
    EXPECT_EQ(saved().size(), 4u);

    const std::string shown = run({ "lists", "show" }).out;
    EXPECT_THAT(shown, HasSubstr(url + " (updated "));
    EXPECT_THAT(shown, HasSubstr(", 4 directories)"));
    struct stat status { };
    ASSERT_EQ(::stat(m_folder.path("data/lists.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(ListsCommandThreaded, ABrokenAnswerChangesNothingAndTheOthersStillUpdate)
{
    serveList("\"v1\"", "name,url\nAlpha,alpha.example\n");
    for (const char* path : { "/list.csv", "/page", "/missing", "/loop" })
        ASSERT_EQ(run({ "lists", "add", m_server.url(path) }).code, 0);
    const std::string before = m_folder.read("customdirdata.xml");
    const CliRun result = run({ "lists", "update", "--json" });
    EXPECT_EQ(result.code, 1);
    const nlohmann::json lists = nlohmann::json::parse(result.out)["lists"];
    ASSERT_EQ(lists.size(), 4u);
    EXPECT_EQ(lists[0]["added"], 1);
    EXPECT_EQ(lists[1]["error"], "the address gives a web page, not a list");
    EXPECT_EQ(lists[2]["error"], "the server answered with status 404");
    EXPECT_EQ(lists[3]["error"], "it redirects more than 10 times");
    EXPECT_THAT(result.err,
        HasSubstr(m_server.url("/missing")
            + ": not updated: the server answered with status "
              "404; its last good copy is kept"));
    EXPECT_NE(m_folder.read("customdirdata.xml"), before);

    EXPECT_EQ(run({ "lists", "remove", m_server.url("/page") }).code, 0);
    EXPECT_EQ(run({ "lists", "remove", m_server.url("/page") }).code, 1);
    EXPECT_EQ(run({ "lists", "add", "ftp://files.example/list.csv" }).code, 1);
    EXPECT_EQ(nlohmann::json::parse(run({ "lists", "show", "--json" }).out)["lists"].size(), 3u);
}

} // namespace
