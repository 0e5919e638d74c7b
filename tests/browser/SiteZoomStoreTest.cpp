#include "browser/SiteZoomStore.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::HasSubstr;

namespace {

TEST(SiteZoomStoreTest, LevelsAreKeptPerSiteAndReadBackFromTheFile)
{
    TempFolder folder;
    RecordingMessageBox messages;
    const std::filesystem::path file = folder.path("browser/zoom.xml");
    {
        SiteZoomStore store(messages);
        store.open(file);
        EXPECT_DOUBLE_EQ(store.factor("www.directory.example"), 1.0);
        store.setFactor("www.Directory.example", 1.25);
        store.setFactor("other.example", 0.8);
        store.setFactor("reset.example", 1.5);
        store.setFactor("reset.example", 1.0);
        // A page without a host has no site to remember.
        store.setFactor("", 2.0);
    }
    EXPECT_THAT(
        folder.read("browser/zoom.xml"), HasSubstr(R"(<site host="directory.example" percent="125")"));
    EXPECT_THAT(folder.read("browser/zoom.xml"), ::testing::Not(HasSubstr("reset.example")));

    SiteZoomStore again(messages);
    again.open(file);
    EXPECT_DOUBLE_EQ(again.factor("directory.example"), 1.25);
    EXPECT_DOUBLE_EQ(again.factor("WWW.DIRECTORY.EXAMPLE"), 1.25);
    EXPECT_DOUBLE_EQ(again.factor("other.example"), 0.8);
    EXPECT_DOUBLE_EQ(again.factor("reset.example"), 1.0);
    EXPECT_TRUE(messages.empty());
}

TEST(SiteZoomStoreTest, AnUnreadableFileIsReportedAndNeverWrittenOver)
{
    TempFolder folder;
    RecordingMessageBox messages;
    const std::string broken = "<zoom><site host=\"a.example\" percent=\"150\"></zoo";
    const std::filesystem::path file = folder.write("zoom.xml", broken);
    SiteZoomStore store(messages);
    store.open(file);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_THAT(messages.messages()[0].text, HasSubstr(SiteZoomStore::kUnreadable));
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Warning);
    // The session still zooms; the file stays as it was.
    store.setFactor("a.example", 2.0);
    EXPECT_DOUBLE_EQ(store.factor("a.example"), 2.0);
    EXPECT_EQ(folder.read("zoom.xml"), broken);
}

TEST(SiteZoomStoreTest, EntriesOutOfRangeAreLeftOutAndAFailedSaveIsSaidOnce)
{
    TempFolder folder;
    RecordingMessageBox messages;
    folder.write("zoom.xml",
        R"(<?xml version="1.0"?><zoom><site host="big.example" percent="9000"/><site host="" percent="150"/>)"
        R"(<site host="fine.example" percent="90"/><site host="text.example" percent="large"/></zoom>)");
    SiteZoomStore store(messages);
    store.open(folder.path("zoom.xml"));
    EXPECT_DOUBLE_EQ(store.factor("big.example"), 1.0);
    EXPECT_DOUBLE_EQ(store.factor("fine.example"), 0.9);
    EXPECT_DOUBLE_EQ(store.factor("text.example"), 1.0);
    EXPECT_TRUE(messages.empty());

    // The file's place is taken by a folder: saving fails, once said, then quietly kept in memory.
    SiteZoomStore blocked(messages);
    blocked.open(folder.path("blocked/zoom.xml"));
    std::filesystem::create_directories(folder.path("blocked/zoom.xml"));
    blocked.setFactor("a.example", 1.5);
    blocked.setFactor("b.example", 1.5);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_THAT(messages.messages()[0].text, HasSubstr(SiteZoomStore::kSaveFailed));
    EXPECT_DOUBLE_EQ(blocked.factor("b.example"), 1.5);
}

} // namespace
