#include "checker/OpenCommandLine.h"
#include "checker/WindowArguments.h"

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

// The window's line: the data folder, a file in either form, and unknown
// options as errors once the toolkit has taken its own out.
TEST(OpenCommandLineTest, WindowArgumentsNameTheFileOrTheError)
{
    struct Case {
        std::vector<std::string> words;
        bool toolkitDone;
        std::optional<std::string> openFile;
        std::optional<std::string> loadFile;
        std::string error;
    };
    const Case cases[] {
        { { "--data-dir", "/d", "<open>/a/My", "Sites/c.xml</open>" }, true, "/a/My Sites/c.xml", {}, "" },
        { { "list.xml" }, true, {}, "list.xml", "" },
        { { "--", "-odd.xml" }, true, {}, "-odd.xml", "" },
        { { "--bogus" }, false, {}, {}, "unknown option --bogus" },
        // Before the toolkit has read its options a word may be one of their values.
        { { "-style", "fusion", "a.xml" }, false, {}, {}, "" },
        { { "-style" }, true, {}, {}, "unknown option -style" },
        { { "a.xml", "b.xml" }, true, {}, {}, "one file at a time: b.xml" },
        { { "--data-dir" }, false, {}, {}, "--data-dir needs a folder" },
    };
    for (const Case& c : cases) {
        const WindowArguments read = readWindowArguments(c.words, c.toolkitDone);
        EXPECT_EQ(read.openFile, c.openFile) << joinArguments(c.words);
        EXPECT_EQ(read.loadFile, c.loadFile) << joinArguments(c.words);
        EXPECT_EQ(read.error, c.error) << joinArguments(c.words);
    }
    EXPECT_EQ(readWindowArguments({ "--data-dir=/srv" }, true).dataDir, "/srv");
}

} // namespace
