#include "checker/CDirectoryBackend.h"

#include "CheckerTestSupport.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const RecordedMessage kLoadFailed =
    shown("Failed to load directory database. Please check that you have a valid XML document",
        "Vantelo List Checker", MessageIcon::Warning);

class CDirectoryBackendTest : public ::testing::Test {
protected:
    bool load(const std::string& bytes)
    {
        return m_backend.LoadDatabase(m_folder.write("db.xml", bytes), m_messages);
    }

    TempFolder m_folder;
    RecordingMessageBox m_messages;
    CDirectoryBackend m_backend;
};

TEST_F(CDirectoryBackendTest, EnumeratorReadsEveryDirectoryInDocumentOrder)
{
    ASSERT_TRUE(load(databaseOf({ { "Caf\xC3\xA9", "http://a.example/s", "-", "-" },
        { "Off", "http://b.example/s", "7abc", "false" }, { "Upper", "", "x", "FALSE" } })));
    EXPECT_FALSE(m_backend.isScrambled());
    const auto directories = m_backend.CreateEnumerator();
    EXPECT_EQ(directories->Count(), 3);
    // Before the first step there is no current directory.
    EXPECT_EQ(directories->GetName(), u"");
    EXPECT_EQ(directories->GetPR(), -1);
    EXPECT_FALSE(directories->IsEnabled());

    struct Row {
        std::u16string name;
        std::u16string url;
        std::int32_t pr;
        bool enabled;
    };
    const std::vector<Row> expected { { u"Caf\u00E9", u"http://a.example/s", 0, true },
        { u"Off", u"http://b.example/s", 7, false }, { u"Upper", u"", 0, true } };
    for (const Row& row : expected) {
        ASSERT_TRUE(directories->MoveNext());
        EXPECT_EQ(directories->GetName(), row.name);
        EXPECT_EQ(directories->GetSubmitUrl(), row.url);
        EXPECT_EQ(directories->GetPR(), row.pr);
        EXPECT_EQ(directories->IsEnabled(), row.enabled);
    }
    EXPECT_FALSE(directories->MoveNext());
    EXPECT_EQ(directories->GetPR(), -1);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CDirectoryBackendTest, ChangesAreWrittenAndEverythingElseKept)
{
    const std::string original =
        "<?xml version=\"1.0\"?>\n<!-- mine -->\n<customdirs>\n"
        "\t<directory name=\"A\" submiturl=\"u\" onsubmit=\"Thanks &amp; bye\">\n"
        "\t\t<item name=\"x\" value=\"#url#\" index=\"0\" type=\"edit\" />\n"
        "\t</directory>\n\t<directory name=\"B\" pr=\"2\" enabled=\"true\" />\n</customdirs>\n";
    ASSERT_TRUE(load(original));
    EXPECT_EQ(m_backend.fileBytes(), original);

    const auto directories = m_backend.CreateEnumerator();
    directories->SetPR(5); // no current directory: nothing happens
    ASSERT_TRUE(directories->MoveNext());
    directories->SetPR(-1);
    ASSERT_TRUE(directories->MoveNext());
    directories->SetEnabled(false);
    std::string expected = original;
    expected.replace(
        expected.find("onsubmit=\"Thanks &amp; bye\""), 27, "onsubmit=\"Thanks &amp; bye\" pr=\"-1\"");
    expected.replace(expected.find("enabled=\"true\""), 14, "enabled=\"false\"");
    EXPECT_EQ(m_backend.fileBytes(), expected);
}

TEST_F(CDirectoryBackendTest, FailedLoadIsReportedAndKeepsTheDatabaseLoadedBefore)
{
    EXPECT_EQ(m_backend.CreateEnumerator()->Count(), 0);
    ASSERT_TRUE(load(databaseOf({ { "A", "u" }, { "B", "u" } })));

    const std::vector<std::pair<const char*, std::string>> broken {
        { "not XML", "<customdirs><directory></customdirs>" },
        { "empty file", "" },
        { "scrambled garbage", "garbage" },
        { "declaration only", "<?xml version=\"1.0\"?>" },
    };
    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        m_messages.clear();
        EXPECT_FALSE(load(bytes));
        EXPECT_EQ(m_messages.messages(), std::vector<RecordedMessage> { kLoadFailed });
        EXPECT_EQ(m_backend.CreateEnumerator()->Count(), 2);
    }
    m_messages.clear();
    EXPECT_FALSE(m_backend.LoadDatabase(m_folder.path("missing.xml"), m_messages));
    EXPECT_EQ(m_messages.messages(), std::vector<RecordedMessage> { kLoadFailed });
    EXPECT_EQ(m_backend.loadedPath(), m_folder.path("db.xml"));
}

TEST_F(CDirectoryBackendTest, EnumeratorKeepsItsDocumentWhenAnotherIsLoaded)
{
    ASSERT_TRUE(load(databaseOf({ { "Old", "u" } })));
    const auto old = m_backend.CreateEnumerator();
    ASSERT_TRUE(load(databaseOf({ { "New", "u" }, { "Newer", "u" } })));
    ASSERT_TRUE(old->MoveNext());
    EXPECT_EQ(old->GetName(), u"Old");
    EXPECT_EQ(m_backend.CreateEnumerator()->Count(), 2);
}

} // namespace
