#include "MainWindowTesting.h"

#include "app/ui/FileCommands.h"
#include "app/ui/MainMenus.h"
#include "app/ui/QtFileDialog.h"
#include "app/ui/QtProgramRunner.h"
#include "net/ui/CAsyncWaitDlg.h"
#include "support/NamedChild.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Answers the file dialogs from a queue; cancel when it is empty.
class QueuedFileDialog : public IFileDialog {
public:
    std::optional<ChosenFile> choose(const FileDialogRequest&) override
    {
        if (answers.empty())
            return std::nullopt;
        ChosenFile answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<ChosenFile> answers;
};

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
    QueuedFileDialog files;
    fixture.seams.files = &files;
    CQuenlarDlg& window = fixture.start();
    const auto source = fixture.folder.write("backup/sv.xml",
        "<?xml version=\"1.0\"?><profiles>" + profileElement("Another") + profileElement("Current")
            + "</profiles>");
    files.answers.push_back({ source, 0 });

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

TEST(FileCommandsTest, TheWaitDialogStaysUntilTheProgramEnds)
{
    QWidget parent;
    QtProgramRunner runner(&parent);
    QString shownMessage;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<CAsyncWaitDlg*>(QApplication::activeModalWidget()))
            shownMessage = child<QLabel>(*dialog, "messageLabel")->text();
    });
    probe.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(runner.runAndWait(
        "/bin/sh", { "-c", "sleep 0.4" }, "Please close the list checker before continuing..."));
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_EQ(shownMessage, QStringLiteral("Please close the list checker before continuing..."));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    EXPECT_FALSE(runner.runAndWait("/nonexistent/tessaly", {}, "never shown"));
}

TEST(FileCommandsTest, TheFileDialogShowsPatternsItCanMatchAndReportsTheChosenType)
{
    EXPECT_EQ(QtFileDialog::nameFilters({ { "Vantelo profile files (sv.xml; sv.dat)", "sv.xml;sv.dat" },
                  { "All Files (*.*)", "*.*" }, { "XML Files (*.xml)", "*.xml" } }),
        (QStringList { QStringLiteral("Vantelo profile files (sv.xml sv.dat)"),
            QStringLiteral("All Files (*)"), QStringLiteral("XML Files (*.xml)") }));

    TempFolder folder;
    QWidget parent;
    QtFileDialog files(&parent);
    const QString target = QString::fromStdString(folder.path("report").string());
    QString offered;
    QTimer::singleShot(0, [&] {
        waitUntil([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; });
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->selectedFiles().value(0);
        dialog->selectNameFilter(QStringLiteral("XML Files (*.xml)"));
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<ChosenFile> chosen = files.choose({ FileDialogRequest::Mode::Save,
        { { "Microsoft Excel Workbook (*.xlsx)", "*.xlsx" }, { "XML Files (*.xml)", "*.xml" } }, "xlsx",
        "example.com" });
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(offered.endsWith(QStringLiteral("/example.com.xlsx"))) << offered.toStdString();
    EXPECT_EQ(chosen->filterIndex, 1);
    EXPECT_EQ(chosen->path.parent_path(), folder.path());
    EXPECT_THAT(chosen->path.filename().string(), HasSubstr("report"));
}

} // namespace
