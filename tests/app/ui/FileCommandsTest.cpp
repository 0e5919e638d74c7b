#include "MainWindowTesting.h"

#include "app/ui/FileCommands.h"
#include "app/ui/MainMenus.h"
#include "common/IProgramRunner.h"
#include "support/NamedChild.h"
#include "support/ScriptedFileDialog.h"

#include <QComboBox>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

using ::testing::ElementsAre;

namespace {

// Replaces the list checker by an edit of the custom database.
class EditingProgramRunner : public IProgramRunner {
public:
    bool runAndWait(
        const std::filesystem::path& program, const std::vector<std::string>&, const std::string&) override
    {
        programs.push_back(program);
        edit();
        return true;
    }

    std::function<void()> edit;
    std::vector<std::filesystem::path> programs;
};

QStringList comboItems(const QComboBox& box)
{
    QStringList items;
    for (int index = 0; index < box.count(); ++index)
        items.append(box.itemText(index));
    return items;
}

TEST(FileCommandsTest, ImportedProfilesAppearInTheDropDownWithTheActiveOneKept)
{
    MainWindowFixture fixture;
    fixture.writeProfiles(profileElement("Current"), "Current");
    ScriptedFileDialog files;
    fixture.seams.files = &files;
    CQuenlarDlg& window = fixture.start();
    const auto source = fixture.folder.write("backup/sv.xml",
        "<?xml version=\"1.0\"?><profiles>" + profileElement("Another") + profileElement("Current")
            + "</profiles>");
    files.answers.push_back(ChosenFile { source, 0 });

    window.menus().importProfiles->trigger();
    EXPECT_THAT(fixture.messages.texts(), ElementsAre("1 profile(s) were successfully imported"));
    EXPECT_EQ(comboItems(*child<QComboBox>(window, "profileBox")),
        (QStringList { QStringLiteral("Another"), QStringLiteral("Current") }));
    EXPECT_EQ(child<QComboBox>(window, "profileBox")->currentText(), QStringLiteral("Current"));
}

TEST(FileCommandsTest, CheckingTheCustomDatabaseShowsWhatTheCheckerLeft)
{
    MainWindowFixture fixture;
    fixture.writeDatabase(directoryElement("Main", 1, "http://main.example/"));
    fixture.writeCustomDatabase(directoryElement("Before", 2, "http://before.example/"));
    EditingProgramRunner checker;
    fixture.seams.programs = &checker;
    CQuenlarDlg& window = fixture.start();
    ASSERT_TRUE(window.autosaveTimer().isActive());
    bool autosaveWhileChecking = true;
    checker.edit = [&] {
        autosaveWhileChecking = window.autosaveTimer().isActive();
        fixture.writeCustomDatabase(directoryElement("After", 4, "http://after.example/"));
    };

    window.menus().checkCustomDatabase->trigger();
    ASSERT_EQ(checker.programs.size(), 1U);
    EXPECT_EQ(checker.programs[0].filename(), "tessaly");
    EXPECT_THAT(fixture.rowTexts(), ElementsAre("After[pr4]", "Main[pr1]"));
    EXPECT_FALSE(autosaveWhileChecking);
    EXPECT_TRUE(window.autosaveTimer().isActive());
    EXPECT_TRUE(fixture.messages.empty());
}

} // namespace
