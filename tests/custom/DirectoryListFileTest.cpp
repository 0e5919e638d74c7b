#include "custom/DirectoryListFile.h"
#include "custom/DelimitedRecords.h"
#include "custom/DirectoryLineParser.h"

#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

using ::testing::ElementsAre;

namespace {

ListedDirectory listed(std::string name, std::string address)
{
    return { std::move(name), std::move(address), {}, {} };
}

std::optional<ListedDirectory> lineOf(std::string_view line)
{
    DirectoryLineParser parser;
    if (parser.read(line) != DirectoryLineParser::Result::Directory)
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
        // An address alone: "https://" in front unless it names a scheme, scheme
        // and host in lower case, the name made from the host.
        { "WWW.EXAMPLE.COM/ADD.PHP", listed("Example", "https://www.example.com/ADD.PHP") },
        { "  http://dir.org  ", listed("Dir", "http://dir.org") },
        // A name and an address in either order; on a tie the second field is the address.
        { "Example Dir,HTTP://Example.com/", listed("Example Dir", "http://example.com/") },
        { "www.example.com/add , Example Dir", listed("Example Dir", "https://www.example.com/add") },
        { "a.b,c.d", listed("a.b", "https://c.d") },
        // A semicolon ends an unquoted field before any comma.
        { "Name, Inc;http://x.com,rest", listed("Name, Inc", "http://x.com") },
        // Quoted fields; a quoted name with a space before the comma is read unquoted.
        { "\"Nice\",http://x.com", listed("Nice", "http://x.com") },
        { "http://x.com;\t\"The Name\"", listed("The Name", "http://x.com") },
        { "\"My Site\",http://x.com", listed("\"My Site\"", "http://x.com") },
        // Marks past the first 64 characters.
        { "\"A_directory_name_that_runs_on_well_past_the_sixty_fourth_character\";http://long.com",
            listed("A_directory_name_that_runs_on_well_past_the_sixty_fourth_character", "http://long.com") },
        // An address and a name separated by a blank.
        { "http://www.a-very-long-host-name-for-a-directory.example.com/submit/add-your-site.php My Dir",
            listed("My Dir",
                "http://www.a-very-long-host-name-for-a-directory.example.com/submit/add-your-site.php") },
        // An https address keeps its scheme.
        { "HTTPS://Secure.Example.com/x", listed("Secure", "https://secure.example.com/x") },
        // Lines that give nothing.
        { "\"Unclosed,http://x.com", std::nullopt },
        { "http://x.com,\"Unclosed", std::nullopt },
        { ",http://x.com", std::nullopt },
        { " \t ", std::nullopt },
        { "", std::nullopt },
        { "http://.com", std::nullopt },
        { "Name,Another Name", std::nullopt },
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
    // A line of up to 64 KB is read whole; a longer one is refused, not cut into a directory.
    const std::string address = ",http://long.example.com/";
    const std::string fullLine = std::string(kMaxListRecordBytes - address.size(), 'n') + address;
    const std::string tooLong =
        "http://cut.example.com/," + std::string(kMaxListRecordBytes, 'x') + ",http://lost.com";
    const ScannedFile file(
        "\xEF\xBB\xBFhttp://bom.com/\r\n" + fullLine + "\r\n" + tooLong + "\nName,http://after.com");
    ASSERT_TRUE(file.scan);
    ASSERT_EQ(file.scan->found.size(), 3u);
    EXPECT_EQ(file.scan->found[0], listed("Bom", "http://bom.com/"));
    EXPECT_EQ(file.scan->found[1],
        listed(std::string(kMaxListRecordBytes - address.size(), 'n'), "http://long.example.com/"));
    EXPECT_EQ(file.scan->found[2], listed("Name", "http://after.com"));
    EXPECT_EQ(file.scan->skipped, (std::vector<SkippedRow> { { 3, "longer than 64 KB" } }));
}

TEST(DirectoryListFileTest, ReadsWindows1252AndUtf8LinesAsUtf8)
{
    const ScannedFile file("Caf\xE9 Links,http://cafe.example/\n"
                           "R\xC3\xA9sum\xC3\xA9 Web;http://resume.example/\n"
                           "\x93Quoted\x94 \x80 Dir;HTTP://QUOTED.example/\r\n"
                           "http://www.\xFC"
                           "ber.example/\n");
    ASSERT_TRUE(file.scan);
    EXPECT_THAT(file.found(),
        ElementsAre("Caf\xC3\xA9 Links http://cafe.example/",
            "R\xC3\xA9sum\xC3\xA9 Web http://resume.example/",
            "\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x82\xAC Dir http://quoted.example/",
            "\xC3\xBC"
            "ber http://www.\xC3\xBC"
            "ber.example/"));
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
    EXPECT_EQ(file.scan->found.back(), listed("Directory 99999", "http://www.site99999.com/submit.php"));
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
