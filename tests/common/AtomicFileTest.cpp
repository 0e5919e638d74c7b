#include "common/AtomicFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

mode_t modeOf(const std::filesystem::path& file)
{
    struct stat status { };
    ::stat(file.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(AtomicFileTest, ReplacesContentAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    folder.write("a.xml", "old content that is longer");
    ASSERT_FALSE(writeFileAtomically(folder.path("a.xml"), "new"));
    EXPECT_EQ(folder.read("a.xml"), "new");
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "a.xml" });
}

TEST(AtomicFileTest, PermissionsOfNewKeptAndOwnerOnlyFiles)
{
    TempFolder folder;
    const mode_t startUpMask = ::umask(077);
    ::umask(startUpMask);
    ASSERT_FALSE(writeFileAtomically(folder.path("new"), "x"));
    EXPECT_EQ(modeOf(folder.path("new")), 0666u & ~startUpMask);

    ::chmod(folder.path("new").c_str(), 0640);
    ASSERT_FALSE(writeFileAtomically(folder.path("new"), "y"));
    EXPECT_EQ(modeOf(folder.path("new")), 0640u);

    ASSERT_FALSE(writeFileAtomically(folder.path("secret"), "z", FileAccess::OwnerOnly));
    EXPECT_EQ(modeOf(folder.path("secret")), 0600u);
}

// The umask is read once, while the program starts and has no other threads:
// reading it means setting it, and a file another thread created in that
// moment would be open to everyone. A umask set later is not seen.
TEST(AtomicFileTest, NewFilesTakeTheUmaskOfStartUp)
{
    TempFolder folder;
    const mode_t startUpMask = ::umask(077);
    const bool saved = !writeFileAtomically(folder.path("new"), "x");
    ::umask(startUpMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(modeOf(folder.path("new")), 0666u & ~startUpMask);
}

TEST(AtomicFileTest, MissingFolderIsReportedWithSystemMessage)
{
    TempFolder folder;
    const auto error = writeFileAtomically(folder.path("missing/a.xml"), "x");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "No such file or directory");
    EXPECT_NE(error->details.find("missing"), std::string::npos);
}

TEST(AtomicFileTest, FullDiskLeavesTheOldFileWhole)
{
    TempFolder folder;
    folder.write("data.xml", "the old version");
    // A file size limit in a child process stands for a disk that fills up.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto error = writeFileAtomically(folder.path("data.xml"), std::string(100000, 'n'));
        ::_exit(error && error->message == "File too large" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(folder.read("data.xml"), "the old version");
    EXPECT_EQ(folder.entries(), std::vector<std::string> { "data.xml" });
}

TEST(AtomicFileTest, ReadsWholeFilesAndReportsMissingOnes)
{
    TempFolder folder;
    const std::string bytes = std::string(200000, 'a') + std::string(1, '\0') + "end";
    folder.write("big", bytes);
    EXPECT_EQ(readFileBytes(folder.path("big")), bytes);
    EXPECT_EQ(readFileBytes(folder.path("none")), std::nullopt);
    EXPECT_EQ(readFileBytes(folder.write("empty", "")), "");

    // Into a buffer: only a file that still has the size it is read for.
    std::string room(bytes.size() + 1, 'x');
    EXPECT_TRUE(readFileInto(folder.path("big"), room.data(), bytes.size()));
    EXPECT_EQ(room, bytes + "x");
    EXPECT_FALSE(readFileInto(folder.path("big"), room.data(), bytes.size() - 1));
    EXPECT_FALSE(readFileInto(folder.path("big"), room.data(), bytes.size() + 1));
    EXPECT_FALSE(readFileInto(folder.path("none"), room.data(), 0));
}

} // namespace
