#include "custom/CustomDirListModel.h"

#include "directories/DirectoryStore.h"
#include "directories/DirectoryTestFiles.h"
#include "support/RecordingMessageBox.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// A custom and a main store as the main window holds them after a merge, and
// the manager's model over them saving into a temporary folder.
struct ManagedStores {
    TempFolder folder;
    RecordingMessageBox messages;
    DirectoryStore custom { messages, "customdirs" };
    DirectoryStore main { messages };
    std::optional<CustomDirListModel> model;

    ManagedStores()
    {
        folder.write("customdirdata.xml",
            databaseText("customdirs", R"(<directory name="Mine" submiturl="http://mine.com/add"
                         category="Custom,News," pr="2"><item name="url" value="#url#" index="0" type="edit"/></directory>)"));
        custom.Load(folder.path("customdirdata.xml"), true, false);
        main.mergeLoadedCustom(custom);
        main.AddDirectory("Vendor");
        main.SetSubmitUrl("Vendor", "http://vendor.com/");
        main.SetCategory("Vendor", "Arts,Business");
        model.emplace(main, custom, folder.path("customdirdata.xml"));
    }
};

// A wizard run that fills in one directory per call from a list of names.
CustomDirListModel::WizardRunner wizardsFor(std::vector<std::string> names, int& runs)
{
    return [names, &runs](DirectoryWizardModel wizard) -> std::optional<DirectoryWizardModel> {
        const std::size_t run = static_cast<std::size_t>(runs++);
        if (run >= names.size())
            return std::nullopt;
        wizard.setName(names[run]);
        wizard.setAddress("http://" + names[run] + ".com/");
        wizard.selectedCategories() = { "Sport", "Custom", "Arts" };
        wizard.setAddAnother(run + 1 < names.size());
        return wizard;
    };
}

TEST(CustomDirListModelTest, ReloadsNamesCategoriesAndKnownDirectories)
{
    ManagedStores stores;
    const CustomDirListModel& model = *stores.model;
    EXPECT_THAT(model.names(), ElementsAre("Mine"));
    EXPECT_THAT(model.categories(), ElementsAre("Arts", "Business", "Custom", "News"));
    EXPECT_EQ(model.knownDirectories().size(), 2u);
    EXPECT_EQ(model.knownDirectories().at("Vendor"), "http://vendor.com/");
}

TEST(CustomDirListModelTest, AddsDirectoriesWhileSaveAndAddAnother)
{
    ManagedStores stores;
    int runs = 0;
    EXPECT_EQ(stores.model->addDirectories(wizardsFor({ "one", "two", "three" }, runs)), 3);
    EXPECT_EQ(runs, 3);
    EXPECT_THAT(stores.model->names(), ElementsAre("Mine", "one", "two", "three"));
    EXPECT_THAT(stores.model->categories(), ElementsAre("Arts", "Business", "Custom", "News", "Sport"));
    for (const DirectoryStore* store : { &stores.custom, &stores.main }) {
        const DirectoryRecord* two = store->find("two");
        ASSERT_NE(two, nullptr);
        // "Custom" first and once, the rest sorted.
        EXPECT_EQ(two->category, "Custom,Arts,Sport");
        EXPECT_EQ(two->submitUrl, "http://two.com/");
    }
    // Each directory is saved as soon as it is stored.
    EXPECT_THAT(stores.folder.read("customdirdata.xml"), HasSubstr("name=\"three\""));

    // A cancelled wizard adds nothing.
    EXPECT_EQ(stores.model->addDirectories(wizardsFor({}, runs)), 0);
}

TEST(CustomDirListModelTest, EditsACustomDirectoryOnly)
{
    ManagedStores stores;
    std::vector<std::string> seen;
    const auto edit = [&](DirectoryWizardModel wizard) -> std::optional<DirectoryWizardModel> {
        seen.push_back(
            wizard.name() + " " + wizard.address() + " " + std::to_string(wizard.mapping().items().size()));
        wizard.setAddress("http://mine.net/");
        wizard.pageRankAnswered(5);
        return wizard;
    };
    EXPECT_FALSE(stores.model->editDirectory("Vendor", edit));
    EXPECT_TRUE(stores.model->editDirectory("Mine", edit));
    EXPECT_THAT(seen, ElementsAre("Mine http://mine.com/add 1"));
    EXPECT_EQ(stores.main.find("Mine")->submitUrl, "http://mine.net/");
    EXPECT_EQ(stores.custom.find("Mine")->pr, 5);
    EXPECT_EQ(stores.custom.find("Mine")->category, "Custom,News");
    EXPECT_EQ(stores.model->knownDirectories().at("Mine"), "http://mine.net/");
}

TEST(CustomDirListModelTest, RemovesFromBothStoresAfterAsking)
{
    ManagedStores stores;
    EXPECT_FALSE(stores.model->removeDirectory("Mine", stores.messages));
    ASSERT_EQ(stores.messages.messages().size(), 1u);
    EXPECT_EQ(stores.messages.messages()[0],
        (RecordedMessage { "Are you sure you want to permanently remove this directory?", "Vantelo",
            MessageIcon::Question, true, MessageButtons::YesNo }));
    EXPECT_NE(stores.main.find("Mine"), nullptr);

    stores.messages.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(stores.model->removeDirectory("Mine", stores.messages));
    EXPECT_EQ(stores.main.find("Mine"), nullptr);
    EXPECT_EQ(stores.custom.find("Mine"), nullptr);
    EXPECT_TRUE(stores.model->names().empty());
    EXPECT_EQ(stores.folder.read("customdirdata.xml").find("Mine"), std::string::npos);
}

} // namespace
