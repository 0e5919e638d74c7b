// Replays every committed fuzz input through its reader: the seeds and each input
// that once made a reader crash.

#include "FuzzTargets.h"

#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(FuzzCorpusTest, EveryCommittedInputIsReadWithoutHarm)
{
    const std::filesystem::path corpus = VANTELO_SOURCE_DIR "/tests/fuzz/corpus";
    int replayed = 0;
    for (const FuzzTarget& target : fuzzTargets()) {
        const std::filesystem::path folder = corpus / target.name;
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << "no seed corpus for " << target.name;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const auto bytes = readFileBytes(entry.path());
            ASSERT_TRUE(bytes) << entry.path();
            SCOPED_TRACE(entry.path().string());
            target.run(*bytes);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

} // namespace
