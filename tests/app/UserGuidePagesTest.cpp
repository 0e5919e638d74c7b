// The user guide and the start page are built into the program from
// resources/pages: every link and picture they name must be there too, and
// every guide page must be reachable from the contents.

#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

const std::filesystem::path kPages = std::filesystem::path(VANTELO_SOURCE_DIR) / "resources" / "pages";

// The local targets of href and src attributes: no scheme, no anchor-only links.
std::set<std::string> localTargets(const std::string& page)
{
    std::set<std::string> targets;
    const std::regex reference(R"re((?:href|src)="([^"#:]+)(?:#[^"]*)?")re");
    for (auto match = std::sregex_iterator(page.begin(), page.end(), reference);
         match != std::sregex_iterator(); ++match)
        targets.insert((*match)[1].str());
    return targets;
}

std::vector<std::string> guidePages()
{
    std::vector<std::string> pages { "userguide.html", "news.html" };
    for (const auto& entry : std::filesystem::directory_iterator(kPages)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("guide-") && name.ends_with(".html"))
            pages.push_back(name);
    }
    return pages;
}

TEST(UserGuidePagesTest, EveryLinkAndPictureOfTheGuideIsShippedWithIt)
{
    const std::vector<std::string> pages = guidePages();
    ASSERT_GE(pages.size(), 8u);
    for (const std::string& name : pages) {
        const std::optional<std::string> page = readFileBytes(kPages / name);
        ASSERT_TRUE(page) << name;
        for (const std::string& target : localTargets(*page))
            EXPECT_TRUE(std::filesystem::is_regular_file(kPages / target)) << name << " names " << target;
    }
}

// These copies are shown only while no vendor host is configured.
TEST(UserGuidePagesTest, TheBuiltInVendorPagesSayThatNoUpdateServerIsConfigured)
{
    for (const char* name : { "news.html", "support.html", "updates.html", "resources.html" }) {
        const std::string page = readFileBytes(kPages / name).value_or("");
        EXPECT_NE(page.find("No update server is configured"), std::string::npos) << name;
        EXPECT_NE(page.find("<code>vendorhost</code> in <code>data/settings.xml</code>"), std::string::npos)
            << name;
    }
}

TEST(UserGuidePagesTest, EveryGuidePageIsInTheContentsAndEveryWindowIsPictured)
{
    const std::set<std::string> contents =
        localTargets(readFileBytes(kPages / "userguide.html").value_or(""));
    for (const std::string& name : guidePages()) {
        if (name.starts_with("guide-")) {
            EXPECT_TRUE(contents.count(name)) << name << " is not in the contents";
        }
    }
    for (const char* picture :
        { "screenshots/main.png", "screenshots/submitting.png", "screenshots/profile-wizard.png",
            "screenshots/directory-wizard.png", "screenshots/snapshot.png", "screenshots/list-checker.png" })
        EXPECT_TRUE(std::filesystem::is_regular_file(kPages / picture)) << picture;
}

} // namespace
