#include "profiles/SecretMigration.h"

#include "common/DataFolder.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ProfileStore.h"
#include "support/MemorySecretStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using SendingProfile::DirectoryAccounts;
using SendingProfile::ProfileStore;
using SendingProfile::SiteProfile;
using ::testing::HasSubstr;

namespace {

// Every secret of the folder below, none of them a part of another text there.
const std::vector<std::string> kSecrets { "opr-KEY-1", "brave-KEY-2", "pw-Shop-3", "recip-4", "pw-Blog-5",
    "pw-Old-6", "stale-7", "pw-Lost-8" };

// A data folder as older versions left it: every secret in clear text.
void writeOlderFolder(const TempFolder& folder)
{
    folder.write("data/settings.xml",
        "<settings><autosave>true</autosave><openpagerankkey>opr-KEY-1</openpagerankkey>"
        "<bravekey>brave-KEY-2</bravekey></settings>");
    folder.write("sv.xml",
        "<?xml version=\"1.0\"?><profiles><activeProfile>Shop</activeProfile>"
        "<profile><name>Shop</name><url>http://shop.example/</url><password>pw-Shop-3</password>"
        "<reciprocalpassword>recip-4</reciprocalpassword></profile>"
        "<profile><name>Blog</name><password>pw-Blog-5</password></profile></profiles>");
    folder.write("sv.dat",
        "1\r\nOld\r\n2\r\nOld\r\nhttp://old.example/"
        "\r\nT\r\nD\r\nc\r\ns\r\nK\r\ne\r\nf\r\nl\r\nu\r\npw-Old-6\r\n0\r\n"
        "Shop\r\nhttp://shop.example/\r\nT\r\nD\r\nc\r\ns\r\nK\r\ne\r\nf\r\nl\r\nu\r\nstale-7\r\n0\r\n");
    folder.write("sv.xml.unreadable",
        "<profiles><profile><name>Lost</name><password>pw-Lost-8</password><url>http://lost");
}

// The secrets found anywhere in the folder's files, backups included.
std::vector<std::string> secretsInFiles(const TempFolder& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        for (const std::string& secret : kSecrets)
            if (bytes.find(secret) != std::string::npos)
                found.push_back(entry.path().filename().string() + ": " + secret);
    }
    return found;
}

TEST(SecretMigrationTest, TheFirstStartLeavesNoClearTextSecretInTheFolder)
{
    TempFolder folder;
    writeOlderFolder(folder);
    RecordingMessageBox messages;
    MemorySecretStore secrets;
    SendingProfile::moveSecretsIntoStore(DataFolder(folder.path()), secrets, messages);
    EXPECT_TRUE(messages.empty()) << messages.texts().front();
    EXPECT_THAT(secretsInFiles(folder), testing::IsEmpty());

    // sv.xml's own passwords win over the older sv.dat's; the stale one is dropped.
    EXPECT_EQ(secretOf(secrets, { SecretKind::ProfilePassword, "Shop", {} }), "pw-Shop-3");
    EXPECT_EQ(secretOf(secrets, { SecretKind::ProfilePassword, "Old", {} }), "pw-Old-6");
    EXPECT_EQ(secretOf(secrets, { SecretKind::ProfilePassword, "Lost", {} }), "pw-Lost-8");
    EXPECT_EQ(secretOf(secrets, { SecretKind::BraveKey, {}, {} }), "brave-KEY-2");
    EXPECT_EQ(secrets.items.size(), 7u);
    EXPECT_THAT(
        folder.read("data/settings.xml"), HasSubstr("<pagerankprovider>openpagerank</pagerankprovider>"));
    EXPECT_THAT(folder.read("sv.dat"), HasSubstr("\r\nu\r\n\r\n0\r\n"));

    // The programs read them from the store; another start changes nothing.
    ProfileStore profiles(messages);
    profiles.setSecretStore(&secrets);
    ASSERT_TRUE(profiles.Open(folder.path("sv.xml")));
    SiteProfile shop;
    ASSERT_TRUE(profiles.GetProfile("Shop", shop));
    EXPECT_EQ(shop.password, "pw-Shop-3");
    EXPECT_EQ(shop.reciprocalPassword, "recip-4");
    const std::string migrated = folder.read("sv.xml");
    messages.clear(); // the short profiles lack required fields
    SendingProfile::moveSecretsIntoStore(DataFolder(folder.path()), secrets, messages);
    EXPECT_EQ(folder.read("sv.xml"), migrated);
    EXPECT_TRUE(messages.empty());
}

TEST(SecretMigrationTest, WhatTheStoreRefusesStaysInTheFilesAndTheUserIsTold)
{
    TempFolder folder;
    writeOlderFolder(folder);
    const std::string profiles = folder.read("sv.xml");
    RecordingMessageBox messages;
    MemorySecretStore secrets;
    secrets.refuses = true;
    SendingProfile::moveSecretsIntoStore(DataFolder(folder.path()), secrets, messages);
    EXPECT_EQ(folder.read("sv.xml"), profiles);
    EXPECT_THAT(folder.read("data/settings.xml"), HasSubstr("opr-KEY-1"));
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_THAT(messages.texts().front(), HasSubstr("the secret stays in"));
}

// An export carries passwords and accounts only when asked; an import moves them into the store.
TEST(SecretMigrationTest, ExportsCarryPasswordsOnlyWhenAskedAndImportsMoveThemIntoTheStore)
{
    TempFolder folder;
    RecordingMessageBox messages;
    MemorySecretStore secrets;
    ProfileStore profiles(messages);
    profiles.setSecretStore(&secrets);
    SiteProfile shop;
    shop.name = "Shop";
    shop.password = "pw-Shop-3";
    ASSERT_TRUE(profiles.SetProfile("Shop", shop));
    DirectoryAccounts(secrets).save("Shop", { "Best Dir", "jdoe", "recip-4" });
    ASSERT_TRUE(profiles.Save(folder.path("sv.xml")));
    ASSERT_TRUE(profiles.exportProfiles(folder.path("plain.xml"), false));
    ASSERT_TRUE(profiles.ExportProfile("Shop", folder.path("report.xml"), "submission.xsl"));
    EXPECT_THAT(secretsInFiles(folder), testing::IsEmpty());

    ASSERT_TRUE(profiles.exportProfiles(folder.path("full.xml"), true));
    EXPECT_THAT(folder.read("full.xml"), HasSubstr("<password>pw-Shop-3</password>"));
    EXPECT_THAT(folder.read("full.xml"), HasSubstr("recip-4"));

    MemorySecretStore elsewhere;
    ProfileStore importing(messages);
    importing.setSecretStore(&elsewhere);
    int count = 0;
    ASSERT_TRUE(importing.ImportProfiles(folder.path("full.xml"), &count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(importing.documentText().find("pw-Shop-3"), std::string::npos);
    EXPECT_EQ(importing.documentText().find("recip-4"), std::string::npos);
    EXPECT_EQ(DirectoryAccounts(elsewhere).find("Shop", "Best Dir")->password, "recip-4");
    ASSERT_TRUE(importing.RemoveProfile("Shop"));
    EXPECT_TRUE(elsewhere.items.empty());
    EXPECT_TRUE(messages.empty());
}

} // namespace
