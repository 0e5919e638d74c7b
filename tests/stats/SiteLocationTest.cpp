#include "stats/SiteLocation.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    const char* url;
    const char* host;
    const char* folder;
};

TEST(SiteLocationTest, HostAndBaseFolder)
{
    const Split cases[] = {
        { "http://dir.example/submit.php", "dir.example", "/" },
        { "http://dir.example/links/add.html", "dir.example", "/links/" },
        { "http://dir.example/links/add.htm", "dir.example", "/links/" },
        { "http://dir.example", "dir.example", "/" },
        { "http://dir.example/links/", "dir.example", "/links/" },
        { "http://dir.example/links", "dir.example", "/links/" },
        { "http://dir.example/add.php?c=5", "dir.example", "/add.php?c=5/" },
        { "HTTP://Dir.example:8080/a/b.php", "Dir.example:8080", "/a/" },
        { "dir.example/a/b.htm", "dir.example", "/a/" },
        { "dir.example", "dir.example", "/" },
        { "http://dir.example/.php", "dir.example", "/" },
        { "http://dir.example/php", "dir.example", "/php/" },
        { "http://dir.example/x.PHP", "dir.example", "/x.PHP/" },
    };
    for (const Split& split : cases) {
        const SiteLocation location = splitHostAndBaseFolder(split.url);
        EXPECT_EQ(location.host, split.host) << split.url;
        EXPECT_EQ(location.folder, split.folder) << split.url;
        EXPECT_FALSE(location.secure) << split.url;
    }
}

TEST(SiteLocationTest, HttpsIsKeptForTheRequestAndTheProof)
{
    const SiteLocation location = splitHostAndBaseFolder("https://dir.example/links/add.php");
    EXPECT_EQ(location.host, "dir.example");
    EXPECT_EQ(location.folder, "/links/");
    EXPECT_TRUE(location.secure);
    EXPECT_EQ(location.url("/links/index.php"), "https://dir.example/links/index.php");
    EXPECT_EQ(splitHostAndBaseFolder("http://dir.example/").url("/x"), "http://dir.example/x");
}

} // namespace
