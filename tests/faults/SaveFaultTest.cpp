// Every file the program writes survives the ways a save can go wrong: a folder
// it may not write to, a full disk, and the process dying in the middle.

#include "ChildProcess.h"

#include "common/FileLock.h"
#include "common/SettingsStore.h"
#include "directories/DirectoryStore.h"
#include "profiles/ProfileStore.h"
#include "profiles/SiteProfile.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// One of the program's saves: what it writes, the message a failure shows, and
// the path it goes to inside a data folder.
struct Save {
    const char* file;
    const char* failureStart;
    std::function<bool(IMessageBox&, const std::filesystem::path&, int version)> run;
};

bool saveCustom(IMessageBox& messages, const std::filesystem::path& path, int version)
{
    DirectoryStore store(messages, "customdirs");
    for (int i = 0; i < 2000; ++i)
        store.AddDirectory("Directory " + std::to_string(version) + " " + std::to_string(i));
    return store.SaveCustom(path, true);
}

bool saveSettings(IMessageBox& messages, const std::filesystem::path& path, int version)
{
    SettingsStore store(messages);
    for (int i = 0; i < 2000; ++i)
        store.SetSetting("key" + std::to_string(i), std::to_string(version));
    return store.SaveSettings(path);
}

bool saveProfiles(IMessageBox& messages, const std::filesystem::path& path, int version)
{
    SendingProfile::ProfileStore store(messages);
    store.Open(path.parent_path() / "none.xml");
    SendingProfile::SiteProfile profile;
    profile.name = "Profile " + std::to_string(version);
    profile.titles.assign(2000, "title " + std::to_string(version));
    store.SetProfile(profile.name, profile);
    return store.Save(path);
}

const std::vector<Save>& saves()
{
    static const std::vector<Save> list {
        { "customdirdata.xml",
            "An exception occurred while saving your custom directory list: ", saveCustom },
        { "settings.xml", "An exception occurred while saving your settings: ", saveSettings },
        { "sv.xml", "An exception occurred while saving your profiles: ", saveProfiles },
    };
    return list;
}

// The bytes a save of a version writes.
std::string versionBytes(const Save& save, int version)
{
    TempFolder scratch;
    RecordingMessageBox messages;
    EXPECT_TRUE(save.run(messages, scratch.path(save.file), version));
    return scratch.read(save.file);
}

TEST(SaveFaultTest, ReadOnlyFolderReportsEachSaveAndKeepsTheOldFile)
{
    for (const Save& save : saves()) {
        SCOPED_TRACE(save.file);
        TempFolder folder;
        const std::string old = versionBytes(save, 1);
        folder.write(save.file, old);
        std::filesystem::permissions(folder.path(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec
                | std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
        // The child saves twice as a normal user and reports what it saw.
        const int result = runInChild([&] {
            dropRootInChild();
            RecordingMessageBox messages;
            const bool first = save.run(messages, folder.path(save.file), 2);
            const bool second = save.run(messages, folder.path(save.file), 3);
            const bool reported = messages.messages().size() == 2
                && messages.messages()[0].text.starts_with(save.failureStart)
                && messages.messages()[0].caption == "Vantelo"
                && messages.messages()[0].icon == MessageIcon::Error;
            return !first && !second && reported ? 0 : 1;
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(folder.read(save.file), old);
        EXPECT_EQ(folder.entries(), std::vector<std::string> { save.file });
    }
}

TEST(SaveFaultTest, FullDiskReportsEachSaveAndKeepsTheOldFile)
{
    for (const Save& save : saves()) {
        SCOPED_TRACE(save.file);
        TempFolder folder;
        const std::string old = versionBytes(save, 1);
        folder.write(save.file, old);
        const int result = runInChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit { 4096, 4096 };
            ::setrlimit(RLIMIT_FSIZE, &limit);
            RecordingMessageBox messages;
            const bool saved = save.run(messages, folder.path(save.file), 2);
            return !saved && messages.messages().size() == 1
                    && messages.messages()[0].text.starts_with(
                        std::string(save.failureStart) + "File too large")
                ? 0
                : 1;
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(folder.read(save.file), old);
        // Nothing is left behind but the lock file that writers of customdirdata.xml share.
        std::vector<std::string> left = folder.entries();
        std::erase(left, lockFileFor(save.file).filename().string());
        EXPECT_EQ(left, std::vector<std::string> { save.file });
    }
}

TEST(SaveFaultTest, KilledSavesLeaveTheOldOrTheNewFileNeverAMix)
{
    std::mt19937 random(20261207);
    for (const Save& save : saves()) {
        SCOPED_TRACE(save.file);
        const std::string oldBytes = versionBytes(save, 1);
        const std::string newBytes = versionBytes(save, 2);
        TempFolder folder;
        int sawNew = 0;
        for (int round = 0; round < 100; ++round) {
            folder.write(save.file, oldBytes);
            const pid_t child = ::fork();
            if (child == 0) {
                RecordingMessageBox messages;
                save.run(messages, folder.path(save.file), 2);
                ::_exit(0);
            }
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const std::string now = folder.read(save.file);
            ASSERT_TRUE(now == oldBytes || now == newBytes)
                << "round " << round << ": " << now.size() << " bytes";
            sawNew += now == newBytes;
            // A killed save may leave its hidden temporary file; the next save is not confused by it.
            for (const std::string& name : folder.entries())
                if (name != save.file)
                    std::filesystem::remove(folder.path(name));
        }
        // The random moments must have caught saves on both sides of the rename.
        EXPECT_GT(sawNew, 0);
        EXPECT_LT(sawNew, 100);
    }
}

} // namespace
