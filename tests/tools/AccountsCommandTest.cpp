#include "CliRun.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <iostream>
#include <sstream>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// Runs "vantelo-cli accounts ..." on a data folder with the text on standard input.
CliRun runAccounts(const TempFolder& folder, std::vector<std::string> words, const std::string& input = {})
{
    words.insert(words.begin(), "accounts");
    words.insert(words.end(), { "--data-dir", folder.path().string() });
    std::istringstream in(input);
    std::streambuf* saved = std::cin.rdbuf(in.rdbuf());
    CliRun run = runCli(words);
    std::cin.rdbuf(saved);
    return run;
}

// Keeps, lists, shows and removes a profile's password and its accounts, never
// taking a password from the command line or printing one unasked.
TEST(AccountsCommandTest, KeepsListsAndRemovesAccountsWithPasswordsFromStandardInput)
{
    TempFolder folder;
    folder.write("sv.xml",
        "<?xml version=\"1.0\"?><profiles><profile><name>Shop</name><username>jdoe</username>"
        "<password></password></profile></profiles>");
    folder.write("customdirdata.xml",
        "<?xml version=\"1.0\"?><customdirs><directory name=\"Best Dir\" submiturl=\"http://best.example/\"/>"
        "<directory name=\"Other\" submiturl=\"http://other.example/\"/></customdirs>");

    EXPECT_EQ(runAccounts(folder, { "set", "--profile", "Shop" }, "profile-pw\n").code, 0);
    EXPECT_EQ(
        runAccounts(folder, { "set", "--profile", "Shop", "--directory", "Best Dir" }, "own-pw\r\n").code, 0);
    const CliRun shared = runAccounts(
        folder, { "set", "--profile", "Shop", "--directory", "Other", "--user", "j2", "--profile-password" });
    EXPECT_EQ(shared.code, 0) << shared.err;

    const CliRun list = runAccounts(folder, { "list", "--profile", "Shop" });
    EXPECT_EQ(list.out,
        "profile Shop: user jdoe, password ********\n"
        "Best Dir: user jdoe, password ********\n"
        "Other: user j2, the profile's password\n");
    const nlohmann::json json = nlohmann::json::parse(
        runAccounts(folder, { "list", "--json", "--show-passwords", "--profile", "Shop" }).out);
    EXPECT_EQ(json["password"], "profile-pw");
    EXPECT_EQ(json["accounts"][0]["password"], "own-pw");
    EXPECT_EQ(json["accounts"][1]["profilepassword"], true);
    EXPECT_EQ(
        runAccounts(folder, { "show", "--profile", "Shop", "--directory", "Best Dir", "--show-passwords" })
            .out,
        "Best Dir: user jdoe, password own-pw\n");
    // Nowhere in the data folder's own files.
    EXPECT_THAT(folder.read("sv.xml"), Not(HasSubstr("profile-pw")));

    EXPECT_EQ(runAccounts(folder, { "remove", "--profile", "Shop", "--directory", "Best Dir" }).code, 0);
    const struct {
        std::vector<std::string> words;
        std::string input;
        const char* error;
    } failures[] = {
        { { "show", "--profile", "Shop", "--directory", "Best Dir" }, "", "has no account at \"Best Dir\"" },
        { { "set", "--profile", "Shop", "--directory", "Nowhere" }, "x\n", "no directory named \"Nowhere\"" },
        { { "set", "--profile", "Nobody" }, "x\n", "no profile named \"Nobody\"" },
        { { "set", "--profile", "Shop" }, "", "no password on standard input" },
    };
    for (const auto& failure : failures) {
        const CliRun run = runAccounts(folder, failure.words, failure.input);
        EXPECT_EQ(run.code, 1) << failure.error;
        EXPECT_THAT(run.err, HasSubstr(failure.error));
    }
    EXPECT_EQ(runAccounts(folder, { "set", "--profile", "Shop", "--user", "x" }).code, 2);
}

} // namespace
