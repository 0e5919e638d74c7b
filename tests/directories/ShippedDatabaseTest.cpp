// The directory database that the build scrambles from resources/data and puts
// beside the programs, with the demo site it points at.

#include "common/AtomicFile.h"
#include "directories/DirectoryStore.h"
#include "support/RecordingMessageBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::filesystem::path kBin = VANTELO_BIN_DIR;
const std::vector<std::string> kDemoDirectories { "Demo Link Directory", "Demo Reciprocal Links",
    "Demo Site Index", "Demo Web Guide" };

class ShippedDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Load(kBin / "dirdata.xml", false, false)); }

    std::vector<DirectoryItem> generalItems() const
    {
        std::vector<DirectoryItem> items;
        m_store.GetItems("__general", items);
        return items;
    }

    bool hasGeneralItem(const std::string& name, ControlType type, const std::string& value) const
    {
        for (const DirectoryItem& item : generalItems())
            if (item.name == name && item.type == type && item.value == value && item.index == 0)
                return true;
        return false;
    }

    RecordingMessageBox m_messages;
    DirectoryStore m_store { m_messages };
};

// The local file a demo directory's file URL names (the build folder needs no
// escapes beyond a space).
std::filesystem::path fileOfUrl(const std::string& url)
{
    std::string path = url.substr(std::string("file://").size());
    for (std::size_t at = path.find("%20"); at != std::string::npos; at = path.find("%20"))
        path.replace(at, 3, " ");
    return path;
}

// The action of the page's first form; empty when it has none.
std::string formAction(const std::string& page)
{
    const std::size_t form = page.find("<form");
    const std::size_t tagEnd = page.find('>', form);
    const std::string_view marker = "action=\"";
    const std::size_t action = page.find(marker, form);
    if (form == std::string::npos || action == std::string::npos || action > tagEnd)
        return {};
    const std::size_t valueStart = action + marker.size();
    return page.substr(valueStart, page.find('"', valueStart) - valueStart);
}

TEST_F(ShippedDatabaseTest, HoldsTheGeneralItemsAndTheDemoDirectoriesOfTheLatestRevision)
{
    std::vector<std::string> names;
    ASSERT_TRUE(m_store.GetDirectoryNames(names));
    std::vector<std::string> expected = kDemoDirectories;
    expected.push_back("__general");
    EXPECT_EQ(names, expected);
    EXPECT_EQ(m_store.GetLatestDirectoryRevision(), 1);
    for (const std::string& demo : kDemoDirectories)
        EXPECT_EQ(m_store.GetRevision(demo), 1) << demo << " would not show as new";
    EXPECT_TRUE(m_messages.empty()) << "an item type the reader does not know";
}

TEST_F(ShippedDatabaseTest, GeneralItemsNameTheFieldsOfCommonScriptsInEverySpelling)
{
    const struct {
        std::vector<std::string> names;
        ControlType type;
        const char* value;
    } families[] = {
        { { "TITLE", "title", "link_title" }, ControlType::Edit, "#title#" },
        { { "URL", "url", "link_url" }, ControlType::Edit, "#url#" },
        { { "DESCRIPTION", "description", "link_description", "META_DESCRIPTION", "meta_description" },
            ControlType::Edit, "#desc#" },
        { { "META_KEYWORDS", "meta_keywords", "keywords", "link_keywords" }, ControlType::Edit,
            "#keywords#" },
        { { "OWNER_NAME", "owner_name", "link_owner_name" }, ControlType::Edit, "#fname# #lname#" },
        { { "OWNER_EMAIL", "owner_email", "link_owner_email" }, ControlType::Edit, "#email#" },
        // The manual method writes the reciprocal page; the automatic one fills the same field later.
        { { "RECPR_URL", "recpr_url", "link_recpr_url" }, ControlType::Edit, "#reciprocal#" },
        { { "RECPR_URL", "recpr_url", "link_recpr_url" }, ControlType::Reciprocal, "" },
        { { "RECPR_TEXT", "recpr_text", "link_recpr_text" }, ControlType::ReciprocalText, "" },
        { { "CATEGORY_ID", "category_id", "link_category_id" }, ControlType::Select, "" },
        { { "AGREERULES", "agree" }, ControlType::Checkbox, "true" },
    };
    for (const auto& family : families)
        for (const std::string& name : family.names)
            EXPECT_TRUE(hasGeneralItem(name, family.type, family.value)) << name << " " << family.value;
}

TEST_F(ShippedDatabaseTest, EveryDemoDirectoryPointsAtItsPageWhoseFormLeadsToItsConfirmation)
{
    const std::string demoSite = "file://" + (kBin / "demo").string() + "/";
    for (const std::string& demo : kDemoDirectories) {
        SCOPED_TRACE(demo);
        const std::string url = m_store.GetSubmitUrl(demo);
        ASSERT_EQ(url.rfind(demoSite, 0), 0u) << url;
        const std::optional<std::string> page = readFileBytes(fileOfUrl(url));
        ASSERT_TRUE(page) << "no page at " << url;
        const std::string onSubmit = m_store.GetOnSubmit(demo);
        ASSERT_FALSE(onSubmit.empty());
        // The form page itself must not look like a confirmation.
        EXPECT_THAT(*page, Not(HasSubstr(onSubmit)));

        const std::string action = formAction(*page);
        ASSERT_FALSE(action.empty());
        const std::optional<std::string> confirmation = readFileBytes(fileOfUrl(url).parent_path() / action);
        ASSERT_TRUE(confirmation) << "no confirmation page " << action;
        EXPECT_THAT(*confirmation, HasSubstr(onSubmit));
    }
}

} // namespace
