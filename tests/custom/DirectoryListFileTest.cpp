#include "custom/DirectoryListFile.h"
#include "custom/DirectoryLineParser.h"

#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

using ::testing::ElementsAre;

namespace {

std::optional<ListedDirectory> lineOf(std::string_view line)
{
    DirectoryLineParser parser;
    if (!parser.read(line))
        return std::nullopt;
    return parser.directory();
}

struct LineCase {
    const char* line;
    std::optional<ListedDirectory> expected;
};

TEST(DirectoryLineParserTest, ReadsTheFieldsAndTellsTheAddressFromTheName)
{
    const LineCase cases[] = {
        // An address alone: lower case, the scheme in front, the name made from the host.
        { "WWW.EXAMPLE.COM/ADD.PHP", ListedDirectory { "Example", "http://www.example.com/add.php" } },
        { "  http://dir.org  ", ListedDirectory { "Dir", "http://dir.org" } },
        // A name and an address in either order; on a tie the second field is the address.
        { "Example Dir,HTTP://Example.com/", ListedDirectory { "Example Dir", "http://example.com/" } },
        { "www.example.com/add , Example Dir",
            ListedDirectory { "Example Dir", "http://www.example.com/add" } },
        { "a.b,c.d", ListedDirectory { "a.b", "http://c.d" } },
        // A semicolon ends an unquoted field before any comma.
        { "Name, Inc;http://x.com,rest", ListedDirectory { "Name, Inc", "http://x.com" } },
        // Quoted fields; a quoted name with a space before the comma is read unquoted.
        { "\"Nice\",http://x.com", ListedDirectory { "Nice", "http://x.com" } },
        { "http://x.com;\t\"The Name\"", ListedDirectory { "The Name", "http://x.com" } },
        { "\"My Site\",http://x.com", ListedDirectory { "\"My Site\"", "http://x.com" } },
        // Marks past the first 64 characters.
        { "\"A_directory_name_that_runs_on_well_past_the_sixty_fourth_character\";http://long.com",
            ListedDirectory {
                "A_directory_name_that_runs_on_well_past_the_sixty_fourth_character", "http://long.com" } },
        { "http://www.a-very-long-host-name-for-a-directory.example.com/submit/add-your-site.php My Dir",
            ListedDirectory { "A-very-long-host-name-for-a-directory",
                "http://www.a-very-long-host-name-for-a-directory.example.com/submit/add-your-site.php my "
                "dir" } },
        // An https address keeps its scheme.
        { "HTTPS://Secure.Example.com/x", ListedDirectory { "Secure", "https://secure.example.com/x" } },
        // Lines that give nothing.
        { "\"Unclosed,http://x.com", std::nullopt },
        { "http://x.com,\"Unclosed", std::nullopt },
        { ",http://x.com", std::nullopt },
        { " \t ", std::nullopt },
        { "", std::nullopt },
        { "http://.com", std::nullopt },
    };
    for (const LineCase& test : cases)
        EXPECT_EQ(lineOf(test.line), test.expected) << test.line;
}

// A list file written into a temporary folder and scanned against known directories.
struct ScannedFile {
    TempFolder folder;
    RecordingMessageBox messages;
    std::optional<DirectoryListScan> scan;

    explicit ScannedFile(std::string_view text, const std::map<std::string, std::string>& known = {})
    {
        scan = scanDirectoryListFile(folder.write("list.txt", text).string(), known, messages);
    }

    std::vector<std::string> found() const
    {
        std::vector<std::string> found;
        for (const ListedDirectory& directory : scan->found)
            found.push_back(directory.name + " " + directory.address);
        return found;
    }
};

TEST(DirectoryListFileTest, SkipsKnownSitesAndNumbersTakenNames)
{
    const ScannedFile file("http://www.example.com/\n"
                           "http://example.net/\n"
                           "http://known.com/other.php\n"
                           "Again,http://www.example.com/again\n"
                           "Example,http://example.info\n",
        { { "Example", "http://example.org/" }, { "Known", "http://www.known.com/add" } });
    ASSERT_TRUE(file.scan);
    EXPECT_THAT(file.found(),
        ElementsAre("Example1 http://www.example.com/", "Example2 http://example.net/",
            "Example3 http://example.info"));
    EXPECT_EQ(file.scan->lineCount, 5);
    EXPECT_EQ(importFoundText(*file.scan),
        "Found 3 new directories from a total of 5. Please wait while retrieving "
        "the PR for the new directories...");
    EXPECT_TRUE(file.messages.empty());
}

TEST(DirectoryListFileTest, AnEmptyFileFindsNothing)
{
    const ScannedFile file("");
    ASSERT_TRUE(file.scan);
    EXPECT_EQ(importFoundText(*file.scan),
        "Found 0 new directories from a total of 0. Press the Close button to continue.");
    EXPECT_EQ(importDoneText(7),
        "7 directories were successfully added to your custom directory list. Press the Close button to "
        "continue");
}

TEST(DirectoryListFileTest, ReadsLineEndsByteOrderMarkAndLongLines)
{
    const std::string address = ",http://long.example.com/";
    const std::string fullLine = std::string(kMaxListLineLength - address.size(), 'n') + address;
    const std::string cutLine =
        "http://cut.example.com/," + std::string(kMaxListLineLength * 3, 'x') + ",http://lost.com";
    const ScannedFile file(
        "\xEF\xBB\xBFhttp://bom.com/\r\n" + fullLine + "\r\n" + cutLine + "\nName,http://after.com");
    ASSERT_TRUE(file.scan);
    ASSERT_EQ(file.scan->found.size(), 4u);
    EXPECT_EQ(file.scan->found[0], (ListedDirectory { "Bom", "http://bom.com/" }));
    EXPECT_EQ(file.scan->found[1].address, "http://long.example.com/");
    EXPECT_EQ(file.scan->found[2].address, "http://cut.example.com/");
    EXPECT_EQ(file.scan->found[2].name, std::string(kMaxListLineLength - 24, 'x'));
    EXPECT_EQ(file.scan->found[3], (ListedDirectory { "Name", "http://after.com" }));
}

TEST(DirectoryListFileTest, ReadsWindows1252AndUtf8LinesAsUtf8)
{
    // A UTF-8 line cut by the length limit inside its last character stays UTF-8.
    const std::string cutUtf8 =
        "http://cut.example/," + std::string(kMaxListLineLength - 21, 'x') + "\xC3\xA9tail";
    // Windows-1252 grows in UTF-8: the line handed on is cut at a character.
    const std::string long1252 = "http://w.example/," + std::string(kMaxListLineLength - 18, '\xE9');
    const ScannedFile file("Caf\xE9 Links,http://cafe.example/\n"
                           "R\xC3\xA9sum\xC3\xA9 Web;http://resume.example/\n"
                           "\x93Quoted\x94 \x80 Dir;HTTP://QUOTED.example/\r\n"
                           "http://www.\xFC"
                           "ber.example/\n"
        + cutUtf8 + "\n" + long1252 + "\n");
    ASSERT_TRUE(file.scan);
    EXPECT_THAT(file.found(),
        ElementsAre("Caf\xC3\xA9 Links http://cafe.example/",
            "R\xC3\xA9sum\xC3\xA9 Web http://resume.example/",
            "\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x82\xAC Dir http://quoted.example/",
            "\xC3\xBC"
            "ber http://www.\xC3\xBC"
            "ber.example/",
            std::string(kMaxListLineLength - 21, 'x') + " http://cut.example/", [&] {
                std::string name;
                for (std::size_t i = 0; i < (kMaxListLineLength - 18) / 2; ++i)
                    name += "\xC3\xA9";
                return name + " http://w.example/";
            }()));
    EXPECT_TRUE(file.messages.empty());
}

TEST(DirectoryListFileTest, ReadsAHundredThousandLines)
{
    std::string text;
    for (int line = 0; line < 100'000; ++line)
        text += "Directory " + std::to_string(line) + ",http://www.site" + std::to_string(line)
            + ".com/submit.php\n";
    const ScannedFile file(text);
    ASSERT_TRUE(file.scan);
    ASSERT_EQ(file.scan->found.size(), 100'000u);
    EXPECT_EQ(file.scan->found.back(),
        (ListedDirectory { "Directory 99999", "http://www.site99999.com/submit.php" }));
}

TEST(DirectoryListFileTest, ReportsAMissingFileName)
{
    TempFolder folder;
    RecordingMessageBox messages;
    EXPECT_FALSE(scanDirectoryListFile("", {}, messages));
    EXPECT_FALSE(scanDirectoryListFile((folder.path() / "absent.txt").string(), {}, messages));
    EXPECT_FALSE(scanDirectoryListFile(folder.path().string(), {}, messages));
    const RecordedMessage cannotOpen =
        shown("Unable to open the selected file. Please check the file name, location and permissions",
            "Vantelo", MessageIcon::Warning);
    EXPECT_THAT(messages.messages(),
        ElementsAre(shown("Please choose a file to import from", "Vantelo", MessageIcon::Warning), cannotOpen,
            cannotOpen));
}

} // namespace
