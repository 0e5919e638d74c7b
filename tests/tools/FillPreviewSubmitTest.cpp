// fill-preview --submit over the answer pages of every kind: each answer is
// judged as the main window judges it, and nothing is recorded.

#include "CliRun.h"
#include "Commands.h"
#include "FillingTestSupport.h"
#include "directories/Scrambling.h"
#include "filling/web/AnswerSite.h"
#include "profiles/ProfileStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

TEST(FillPreviewSubmitTest, EachKindOfAnswerIsJudgedAndNothingIsRecorded)
{
    LoopbackServer server;
    serveAnswerSite(server);
    TempFolder data;
    // "Open" is judged by what its answers say; "Confirmed" keeps its own confirmation text.
    data.write("dirdata.xml",
        scrambleDatabase("<?xml version=\"1.0\"?><rf><directory name=\"Open\" submiturl=\"" + server.url("/")
            + "\"/><directory name=\"Confirmed\" submiturl=\"" + server.url("/")
            + "\" onsubmit=\"Your submission ID is\"/></rf>"));
    RecordingMessageBox messages;
    SendingProfile::ProfileStore profiles(messages);
    // Without a password, which the first start would move out of sv.xml.
    SendingProfile::SiteProfile profile = recognitionProfile();
    profile.password.clear();
    profiles.SetProfile("Full", profile);
    ASSERT_TRUE(profiles.Save(data.path("sv.xml")));
    const std::string saved = data.read("sv.xml");

    const struct {
        const char* page;
        const char* directory;
        bool recorded;
        std::string evidence;
        std::string reason;
    } cases[] = {
        { "/thanks-en/form.html", "Open", true, "Thank you!", "the page says the submission succeeded" },
        { "/thanks-de/form.html", "Open", true, "Vielen Dank!", "the page says the submission succeeded" },
        { "/captcha/form.html", "Open", false, "The security code you entered is incorrect.",
            "the page says the submission failed" },
        { "/invalid-url/form.html", "Open", false,
            "Please enter a valid URL, starting with http:// or https://.",
            "the page says the submission failed" },
        { "/duplicate/form.html", "Open", false, "Sorry, this site is already listed in our directory.",
            "the page says the submission failed" },
        { "/scripted-ok/scripted.html", "Open", true, "Thank you!",
            "the page says the submission succeeded" },
        { "/scripted-error/scripted.html", "Open", false, kScriptedError,
            "the page says the submission failed" },
        { "/thanks-en/form.html", "Confirmed", false, "",
            "the page does not show the directory's confirmation text" },
    };
    for (const auto& c : cases) {
        const CliRun run =
            runCli({ "fill-preview", "--json", "--data-dir", data.path().string(), "--profile", "Full",
                       "--directory", c.directory, "--late-fields", "0", "--submit", server.url(c.page) },
                { fillPreviewCommand() });
        ASSERT_EQ(run.code, 0) << c.page << ": " << run.err;
        const nlohmann::json preview = nlohmann::json::parse(run.out);
        ASSERT_TRUE(preview.contains("submission")) << c.page;
        const nlohmann::json& submission = preview["submission"];
        EXPECT_EQ(submission["recorded"], c.recorded) << c.page << " " << c.directory;
        EXPECT_EQ(submission["evidence"], c.evidence) << c.page << " " << c.directory;
        EXPECT_EQ(submission["reason"], c.reason) << c.page << " " << c.directory;
    }
    // The page's own submission went out, by its submit button, with the filled values.
    bool posted = false;
    for (const SeenRequest& request : server.requests()) {
        posted = posted
            || (request.target == "/captcha/answer.html" && request.method == "POST"
                && request.body.find("url=http") != std::string::npos);
    }
    EXPECT_TRUE(posted);
    EXPECT_EQ(data.read("sv.xml"), saved);
}

} // namespace
