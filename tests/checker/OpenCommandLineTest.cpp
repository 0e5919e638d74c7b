#include "checker/OpenCommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(OpenCommandLineTest, FindsTheFileBetweenTheMarkers)
{
    const std::vector<std::pair<std::vector<std::string>, std::optional<std::string>>> cases {
        { { "<open>/opt/vantelo/customdirdata.xml</open>" }, "/opt/vantelo/customdirdata.xml" },
        // A folder with blanks may arrive split into several words.
        { { "<open>/home/me/My", "Sites/customdirdata.xml</open>" }, "/home/me/My Sites/customdirdata.xml" },
        { { "-x", "<open>a.xml</open>", "<open>b.xml</open>" }, "a.xml" },
        // Without a closing marker the rest of the line is the file.
        { { "<open>/tmp/a b.xml" }, "/tmp/a b.xml" },
        { { "/tmp/a.xml" }, std::nullopt },
        { {}, std::nullopt },
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(findOpenPath(joinArguments(arguments)), expected) << joinArguments(arguments);
}

} // namespace
