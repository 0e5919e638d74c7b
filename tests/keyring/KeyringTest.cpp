// The secrets in a real Secret Service: GNOME Keyring in a private D-Bus session
// (keyring-session.sh runs this program). What the store keeps, and the first
// start of a program on a data folder whose files hold clear-text secrets.

#include "common/FileSecretStore.h"
#include "common/SecretServiceStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <iterator>

using ::testing::HasSubstr;

namespace {

const SecretKey kPassword { SecretKind::ProfilePassword, "Shop", {} };
const SecretKey kAccount { SecretKind::DirectoryAccount, "Shop", "Best Dir" };

// What a command prints on standard output.
std::string outputOf(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    ::pclose(pipe);
    return output;
}

// Every file under a folder, with its bytes.
std::string everyFile(const TempFolder& folder)
{
    std::string all;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        all += entry.path().string() + ":" + std::string((std::istreambuf_iterator<char>(in)), {}) + "\n";
    }
    return all;
}

TEST(KeyringTest, TheKeyringKeepsEachDataFoldersItemsApart)
{
    ASSERT_TRUE(SecretServiceStore::available());
    TempFolder one;
    TempFolder two;
    SecretServiceStore first(one.path("data/keyring-id"));
    SecretServiceStore second(two.path("data/keyring-id"));
    EXPECT_TRUE(first.search({}).items.empty());
    EXPECT_FALSE(one.exists("data/keyring-id"));

    ASSERT_FALSE(first.store({ kPassword, {}, "one-pw" }));
    ASSERT_FALSE(second.store({ kPassword, {}, "two-pw" }));
    ASSERT_FALSE(first.store({ kAccount, "jdoe", "acct-1" }));
    ASSERT_FALSE(first.store({ kAccount, "jane", "acct-2" }));
    EXPECT_EQ(secretOf(second, kPassword), "two-pw");
    const SecretSearch accounts = first.search({ SecretKind::DirectoryAccount, "Shop", std::nullopt });
    ASSERT_FALSE(accounts.error) << *accounts.error;
    EXPECT_EQ(accounts.items, (std::vector<StoredSecret> { { kAccount, "jane", "acct-2" } }));

    // The next start of a program on the folder finds them again.
    SecretServiceStore again(one.path("data/keyring-id"));
    EXPECT_EQ(secretOf(again, kPassword), "one-pw");
    ASSERT_FALSE(again.remove({ std::nullopt, "Shop", std::nullopt }));
    EXPECT_TRUE(first.search({}).items.empty());
    EXPECT_EQ(secretOf(second, kPassword), "two-pw");
}

TEST(KeyringTest, TheFirstStartMovesTheSecretsIntoTheKeyringWhereSecretToolFindsThem)
{
    TempFolder folder;
    folder.write("sv.xml",
        "<?xml version=\"1.0\"?><profiles><profile><name>Shop</name><username>jdoe</username>"
        "<password>kr-Shop-1</password><reciprocalpassword>kr-recip-2</reciprocalpassword></profile></"
        "profiles>");
    folder.write("data/settings.xml", "<settings><openpagerankkey>kr-opr-3</openpagerankkey></settings>");
    // Kept in the file while the session had no keyring.
    RecordingMessageBox messages;
    FileSecretStore(folder.path("data/secrets"), messages).store({ kAccount, "jdoe", "kr-acct-4" });

    const std::string listed = outputOf(std::string(VANTELO_BIN_DIR) + "/vantelo-cli accounts list --json "
        + "--show-passwords --profile Shop --data-dir " + folder.path().string());
    const nlohmann::json json = nlohmann::json::parse(listed, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << listed;
    EXPECT_EQ(json["password"], "kr-Shop-1");
    EXPECT_EQ(json["accounts"][0]["password"], "kr-acct-4");

    EXPECT_FALSE(folder.exists("data/secrets"));
    EXPECT_THAT(everyFile(folder), ::testing::Not(HasSubstr("kr-")));
    const std::string found = outputOf("secret-tool search --all application vantelo 2>&1");
    for (const char* expected : { "secret = kr-Shop-1", "secret = kr-recip-2", "secret = kr-opr-3",
             "secret = kr-acct-4", "attribute.kind = reciprocal", "attribute.directory = Best Dir" })
        EXPECT_THAT(found, HasSubstr(expected));
}

} // namespace
