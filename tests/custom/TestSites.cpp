#include "TestSites.h"

#include "net/LoopbackServer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::filesystem::path kSites = std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/custom/sites";

DirectoryItem edit(const char* name, const char* value, int index = 0)
{
    return { name, ControlType::Edit, index, value };
}

DirectoryItem select(const char* name)
{
    return { name, ControlType::Select, 0, "" };
}

DirectoryItem tick(const char* name)
{
    return { name, ControlType::Checkbox, 0, "true" };
}

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

const std::vector<TestSite>& testSites()
{
    static const std::vector<TestSite> sites {
        { "menu", "/", "/submit.php",
            { edit("TITLE", "#title#"), edit("URL", "#url#"), edit("DESCRIPTION", "#desc#"),
                edit("OWNER_NAME", "#fname# #lname#"), edit("OWNER_EMAIL", "#email#"),
                edit("RECPR_URL", "#reciprocal#"), select("CATEGORY_ID"), tick("AGREERULES") } },
        { "sidebar", "/", "/add-url/",
            { edit("input_1", "#title#"), edit("input_2", "#url#"), edit("input_3", "#desc#"),
                edit("input_4", "#keywords#"), edit("input_5.3", "#fname#"), edit("input_5.6", "#lname#"),
                edit("input_6", "#email#") } },
        { "footer", "/", "/suggest.html",
            { edit("sitename", "#title#"), edit("siteurl", "#url_no_http#"), edit("about", "#desc#"),
                edit("who", "#fname# #lname#"), edit("mail", "#email#"), edit("mail2", "#email#") } },
        { "image", "/", "/addurl.php",
            { edit("link_title", "#title#"), edit("link_url", "#url#"), edit("link_description", "#desc#"),
                edit("link_keywords", "#keywords#"), edit("link_email", "#email#"),
                edit("link_back", "#reciprocal#"), tick("terms") } },
        { "button", "/", "/listing/new",
            { edit("listing[name]", "#company#"), edit("listing[website]", "#url#"),
                edit("listing[description]", "#desc#"), edit("listing[street]", "#address#"),
                edit("listing[city]", "#city#"), edit("listing[zip]", "#zip#"),
                edit("listing[phone]", "#phone#"), edit("listing[email]", "#email#") } },
        { "choose-category", "/", "/add.php?category=7",
            { edit("title", "#title#"), edit("url", "#url#"), edit("description", "#desc#", 1),
                edit("email", "#email#") } },
        { "category", "/category.php?id=12", "/submit.php?c=12",
            { edit("title", "#title#"), edit("url", "#url#"), edit("desc", "#desc#"),
                edit("email", "#email#") } },
        { "german", "/", "/eintragen.php",
            { edit("titel", "#title#"), edit("adresse", "#url#"), edit("beschreibung", "#desc#"),
                edit("suchbegriffe", "#keywords#"), edit("vorname", "#fname#"), edit("nachname", "#lname#"),
                edit("email", "#email#"), select("rubrik"), tick("agb") } },
        { "french", "/", "/proposer.php",
            { edit("f1", "#title#"), edit("f2", "#url#"), edit("f3", "#desc#"), edit("f4", "#keywords#"),
                edit("f5", "#fname# #lname#"), edit("f6", "#email#"), select("f7"), tick("f8") } },
        { "decoys", "/", "/links/add.php",
            { edit("anchor", "#title#"), edit("target", "#url#"), edit("blurb", "#desc#"),
                edit("tags", "#tags#"), edit("fullname", "#fname# #lname#"), edit("email", "#email#"),
                edit("login", "#username#"), edit("secret", "#password#"), edit("secret2", "#password#") } },
        { "home-form", "/", "/",
            { edit("site_title", "#title#"), edit("site_url", "#url#"), edit("site_description", "#desc#"),
                edit("site_email", "#email#") } },
        { "none", "/", "", {} },
    };
    return sites;
}

void serveTestSite(LoopbackServer& server, const std::string& name)
{
    const std::filesystem::path folder = kSites / name;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = "/" + std::filesystem::relative(entry.path(), folder).generic_string();
        const std::string body = fileText(entry.path());
        server.serve(path, 200, body, "text/html; charset=utf-8");
        if (entry.path().filename() == "index.html")
            server.serve(path.substr(0, path.size() - std::string("index.html").size()), 200, body,
                "text/html; charset=utf-8");
    }
    // Browsers keep connections open, and stopping the server would wait for them.
    server.closeConnectionsAfterEachAnswer();
    server.start();
}
