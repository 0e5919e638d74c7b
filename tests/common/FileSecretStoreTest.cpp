#include "common/FileSecretStore.h"

#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

using ::testing::HasSubstr;

namespace {

const SecretKey kPassword { SecretKind::ProfilePassword, "Shop", {} };
const SecretKey kAccount { SecretKind::DirectoryAccount, "Shop", "Best Dir" };

// Stores, replaces, finds by any part of the key and removes, byte for byte and
// owner-only, telling once that the file holds the secrets.
TEST(FileSecretStoreTest, KeepsItemsInAnOwnerOnlyFileAndSaysSoOnce)
{
    TempFolder folder;
    RecordingMessageBox messages;
    FileSecretStore store(folder.path("data/secrets"), messages);
    EXPECT_TRUE(store.search({}).items.empty());
    EXPECT_FALSE(folder.exists("data/secrets"));

    ASSERT_FALSE(store.store({ kPassword, {}, "first" }));
    ASSERT_FALSE(store.store({ kPassword, {}, "  two words\r\n<&>  " }));
    ASSERT_FALSE(store.store({ kAccount, "jdoe", "own" }));
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_THAT(messages.texts().front(), HasSubstr(folder.path("data/secrets").string()));
    struct stat info { };
    ASSERT_EQ(::stat(folder.path("data/secrets").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // Another store on the same file (another program) sees the same items.
    FileSecretStore other(folder.path("data/secrets"), messages);
    EXPECT_EQ(secretOf(other, kPassword), "  two words\r\n<&>  ");
    EXPECT_EQ(findSecret(other, kAccount), (StoredSecret { kAccount, "jdoe", "own" }));
    EXPECT_EQ(other.search({ std::nullopt, "Shop", std::nullopt }).items.size(), 2u);
    EXPECT_TRUE(other.search({ SecretKind::BraveKey, std::nullopt, std::nullopt }).items.empty());

    ASSERT_FALSE(other.remove({ SecretKind::DirectoryAccount, "Shop", std::nullopt }));
    EXPECT_FALSE(findSecret(store, kAccount));
    EXPECT_TRUE(findSecret(store, kPassword));
    EXPECT_EQ(messages.texts().size(), 1u);
}

// A file that cannot be read is neither trusted nor replaced.
TEST(FileSecretStoreTest, AnUnreadableFileIsAnErrorAndStaysAsItIs)
{
    TempFolder folder;
    RecordingMessageBox messages;
    folder.write("secrets", "<secrets><secret kind=");
    FileSecretStore store(folder.path("secrets"), messages);
    EXPECT_TRUE(store.search({}).error);
    EXPECT_TRUE(store.store({ kPassword, {}, "x" }));
    EXPECT_EQ(folder.read("secrets"), "<secrets><secret kind=");
}

} // namespace
