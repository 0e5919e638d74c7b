// A page that hides password fields (far off to the side, clipped away, tiny and
// transparent) beside one a person sees, previewed with fill-preview: only the
// field a person sees gets a password, and only on the directory's own site.

#include "CliRun.h"
#include "Commands.h"
#include "directories/Scrambling.h"
#include "net/LoopbackServer.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

const std::string kHidingPage = R"page(<!DOCTYPE html><html><body>
<form action="/join" method="post">
<label>Login <input name="login"></label>
<label>Password <input type="password" name="seen"></label>
<input type="password" name="far" style="position:absolute; left:100000px; top:20px">
<input type="password" name="clipped" style="clip-path: inset(50%)">
<input type="password" name="tiny" style="width:3px; height:3px; opacity:0; padding:0; border:0">
<input type="submit" value="Send">
</form></body></html>)page";

std::string passwordItems()
{
    std::string items;
    for (const char* name : { "seen", "far", "clipped", "tiny" })
        items += std::string(R"(<item name=")") + name + R"(" type="edit" index="0" value="#password#"/>)";
    return items;
}

TEST(PasswordFillPreviewTest, OnlyAFieldAPersonSeesOnTheDirectorysOwnSiteGetsThePassword)
{
    LoopbackServer server;
    server.serve("/join", 200, kHidingPage, "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();
    TempFolder data;
    data.write("dirdata.xml",
        scrambleDatabase(R"(<?xml version="1.0"?><rf><directory name="Own" submiturl=")" + server.url("/join")
            + R"(">)" + passwordItems() + R"(</directory><directory name="Elsewhere" )"
            + R"(submiturl="http://localhost:)" + server.host().substr(server.host().find(':') + 1)
            + R"(/join">)" + passwordItems() + "</directory></rf>"));
    data.write("sv.xml",
        "<?xml version=\"1.0\"?><profiles><profile><name>Site</name><password>pw-4-all</password></profile>"
        "</profiles>");

    struct Case {
        const char* directory;
        const char* seen;
    };
    for (const Case c : { Case { "Own", "pw-4-all" }, Case { "Elsewhere", "" } }) {
        const CliRun run = runCli(
            { "fill-preview", "--json", "--show-passwords", "--data-dir", data.path().string(), "--profile",
                "Site", "--directory", c.directory, "--late-fields", "0", server.url("/join") },
            { fillPreviewCommand() });
        ASSERT_EQ(run.code, 0) << run.err;
        const nlohmann::json preview = nlohmann::json::parse(run.out);
        std::map<std::string, std::string> values;
        for (const nlohmann::json& field : preview["fields"])
            values[field["name"]] = field.value("value", "");
        EXPECT_EQ(values["seen"], c.seen) << c.directory;
        for (const char* hidden : { "far", "clipped", "tiny" })
            EXPECT_EQ(values[hidden], "") << c.directory << " " << hidden;
        EXPECT_EQ(preview["passwords"], "withheld") << c.directory;
    }
    // The first start moved the password out of sv.xml.
    EXPECT_EQ(data.read("sv.xml").find("pw-4-all"), std::string::npos);
}

} // namespace
