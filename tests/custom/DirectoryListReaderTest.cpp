#include "custom/DirectoryListReader.h"
#include "custom/DirectoryAddress.h"
#include "custom/ListCells.h"
#include "custom/ListText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAreArray;

namespace {

// Every directory of a list as "name|address|category|rating|linktype|pricing",
// then each skipped row as "skipped LINE: reason".
std::vector<std::string> readAll(std::string_view bytes)
{
    const ListText text = listTextOf(std::string(bytes));
    if (!text.problem().empty())
        return { "problem: " + text.problem() };
    DirectoryListReader reader(text.text(), text.mayHoldControls());
    if (!reader.problem().empty())
        return { "problem: " + reader.problem() };
    std::vector<std::string> read;
    ListEntry entry;
    while (reader.next(entry)) {
        read.push_back(std::string(entry.name) + "|" + std::string(entry.address) + "|"
            + std::string(entry.category) + "|" + std::to_string(entry.facts.rating) + "|"
            + entry.facts.linkType + "|" + entry.facts.pricing);
    }
    for (const SkippedRow& row : reader.skipped())
        read.push_back("skipped " + std::to_string(row.line) + ": " + std::string(row.reason));
    return read;
}

struct ListCase {
    const char* shape;
    std::string text;
    std::vector<std::string> expected;
};

TEST(DirectoryListReaderTest, ReadsEveryShapeThatListsAreSharedIn)
{
    const ListCase cases[] = {
        { "CSV with a header, quoted separators, a cell over two lines, a comment and CRLF",
            "\xEF\xBB\xBFname,url,domain_rating,link_type,pricing,category,description\r\n"
            "# launch platforms\r\n"
            "Capterra,capterra.com,DR 91,Do-follow,Free / Paid,\xF0\x9F\x9A\x80 Startup Directory,\"Reviews, "
            "lists\"\r\n"
            "\r\n"
            "\"Acme, \"\"the\"\" list\",https://Acme.example/Submit?a=1;,56.5,nofollow,$49,\"AI; "
            "SaaS\",\"two\r\nlines\"\r\n"
            ",www.nameless.example,,,,,\r\n"
            "Broken,not an address,10,,,,\r\n",
            { "Capterra|https://capterra.com|Startup Directory|91|dofollow|freemium",
                "Acme, \"the\" list|https://acme.example/Submit?a=1|AI,SaaS|57|nofollow|paid",
                "Nameless|https://www.nameless.example||-1||", "skipped 8: no web address" } },
        { "semicolons and German column names",
            "Verzeichnis;Webseite;Kategorie;Bewertung\n"
            "Webkatalog;webkatalog.example;Allgemein;DR 30\n",
            { "Webkatalog|https://webkatalog.example|Allgemein|30||" } },
        { "tabs without a header: the address column found by its cells",
            "Alpha Links\thttp://alpha.example/add\tNews\nBeta\tbeta.example\tShops\n",
            { "Alpha Links|http://alpha.example/add||-1||", "Beta|https://beta.example||-1||" } },
        { "commas without a header, the link type found by its cells",
            "https://one.example,One,dofollow\nhttps://two.example,Two,nofollow\n",
            { "One|https://one.example||-1|dofollow|", "Two|https://two.example||-1|nofollow|" } },
        { "a JSON array of objects, with a yes/no column and a list of tags",
            R"([{"title": "Gamma", "website": "gamma.example", "dr": 44, "dofollow": false, "tags": ["AI", "Tools"]},
                {"title": "Delta", "website": "https://delta.example", "dofollow": true, "free": "yes"},
                {"title": "No address"}])",
            { "Gamma|https://gamma.example|AI,Tools|44|nofollow|",
                "Delta|https://delta.example||-1|dofollow|free", "skipped 3: no web address" } },
        { "a JSON object holding the array under any key",
            R"({"meta": {"count": 1}, "tags": ["x"], "directories": [{"name": "Eps", "link": "eps.example"}]})",
            { "Eps|https://eps.example||-1||" } },
        { "a JSON array of addresses", R"(["https://zeta.example", "eta.example"])",
            { "Zeta|https://zeta.example||-1||", "Eta|https://eta.example||-1||" } },
        { "plain lines, as before, with a comment and names in either place",
            "# my list\nhttp://www.one.example/\nTwo Links, two.example\nThree Links http://three.example\n"
            "\"Unclosed,http://x.example\nftp://files.example\n",
            { "One|http://www.one.example/||-1||", "Two Links|https://two.example||-1||",
                "Three Links|http://three.example||-1||", "skipped 5: a quote is not closed",
                "skipped 6: no web address" } },
        { "a header without rows", "name,url,category\n", {} },
    };
    for (const ListCase& test : cases)
        EXPECT_THAT(readAll(test.text), ElementsAreArray(test.expected)) << test.shape;
}

TEST(DirectoryListReaderTest, RefusesWhatIsNoListAndBoundsHugeLines)
{
    EXPECT_THAT(readAll(std::string("PK\x03\x04\0\0binary", 12)),
        ElementsAreArray({ "problem: it holds binary data, not a list of directories" }));
    EXPECT_THAT(readAll(std::string(100'000, '[') + std::string(100'000, ']')),
        ElementsAreArray({ "problem: its JSON is nested more than 64 levels deep" }));
    EXPECT_THAT(readAll("[{\"name\": \"a\", "),
        ElementsAreArray({ "problem: its JSON cannot be read (parse error at "
                           "line 1, column 16: syntax error while parsing "
                           "object key - unexpected end of input; expected "
                           "string literal)" }));
    EXPECT_THAT(readAll(std::string(kMaxListBytes + 1, 'a')),
        ElementsAreArray({ "problem: it is larger than 32 MB, far more than any directory list" }));
    // A line of 10 MB, in a plain list and inside a quoted CSV cell, costs that line only.
    const std::string huge(10 << 20, 'x');
    EXPECT_THAT(readAll("http://a.example\n" + huge + "\nhttp://b.example\n"),
        ElementsAreArray(
            { "A|http://a.example||-1||", "B|http://b.example||-1||", "skipped 2: longer than 64 KB" }));
    EXPECT_THAT(readAll("name,url\nA,a.example,\"" + huge + "\nB,b.example\n"),
        ElementsAreArray({ "B|https://b.example||-1||", "skipped 2: longer than 64 KB" }));
    // UTF-16 as spreadsheets save "Unicode text".
    EXPECT_THAT(readAll(std::string("\xFF\xFEn\0a\0m\0e\0\t\0u\0r\0l\0\n\0\xE9\0\t\0x\0.\0i\0o\0", 32)),
        ElementsAreArray({ "\xC3\xA9|https://x.io||-1||" }));
    // A short list converted from Windows-1252 still reads after being moved around.
    std::optional<ListText> moved(listTextOf("\xE9t\xE9.io\n"));
    ListText text;
    text = std::move(*moved);
    EXPECT_EQ(text.text(), "\xC3\xA9t\xC3\xA9.io\n");
}

TEST(DirectoryListReaderTest, ReadsCellsAsPeopleWriteThem)
{
    const std::pair<const char*, const char*> addresses[] = { { "capterra.com", "https://capterra.com" },
        { " HTTP://WWW.Example.COM/Add.PHP ;", "http://www.example.com/Add.PHP" },
        { "example.com:8080/x,", "https://example.com:8080/x" },
        { "http://localhost:3000/", "http://localhost:3000/" },
        { "//cdn.example/list", "https://cdn.example/list" }, { "mailto:me@example.com", "" },
        { "javascript:alert(1)", "" }, { "ftp://files.example", "" }, { "Just A Name", "" },
        { "localhost", "" }, { "http://.com", "" }, { "exa mple.com", "" } };
    for (const auto& [text, expected] : addresses) {
        std::string address;
        EXPECT_EQ(readListAddress(text, address) ? address : "", expected) << text;
    }
    EXPECT_EQ(listSiteKey("https://WWW.Example.com:81/add?x"), "example.com:81");

    const std::pair<const char*, std::int32_t> ratings[] = { { "56", 56 }, { "DR 56", 56 }, { "55.5", 56 },
        { "56/100", 56 }, { "100", 100 }, { "101", -1 }, { "1,200", -1 }, { "-5", -1 }, { "n/a", -1 } };
    for (const auto& [text, expected] : ratings)
        EXPECT_EQ(readListRating(text), expected) << text;

    EXPECT_EQ(readLinkType("Do-Follow"), "dofollow");
    EXPECT_EQ(readLinkType("rel=\"ugc\""), "nofollow");
    EXPECT_EQ(readLinkType("No", "dofollow"), "nofollow");
    EXPECT_EQ(readLinkType("maybe"), "");
    EXPECT_EQ(readPricing("Freemium"), "freemium");
    EXPECT_EQ(readPricing("Free trial"), "freemium");
    EXPECT_EQ(readPricing("$0"), "free");
    EXPECT_EQ(readPricing("\xE2\x82\xAC"
                          "19/month"),
        "paid");
    EXPECT_EQ(readPricing("ja", "paid"), "paid");
    EXPECT_EQ(readPricing("unknown"), "");

    std::string out;
    readListCategory(" \xE2\xAD\x90\xEF\xB8\x8F Featured | AI Tools \xF0\x9F\xA4\x96, ", out);
    EXPECT_EQ(out, "Featured,AI Tools");
    EXPECT_EQ(cleanListText("  Tab\there\x01 \xC2\x85name  ", out), "Tab here name");
}

} // namespace
