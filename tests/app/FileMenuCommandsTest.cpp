#include "app/FileMenuCommands.h"
#include "app/MainWindowState.h"
#include "common/IProgramRunner.h"
#include "directories/DirectoryTestFiles.h"
#include "directories/Scrambling.h"
#include "history/HistoryTestData.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// Stands in for the list checker: records the start and runs what the test gives it.
class FakeProgramRunner : public IProgramRunner {
public:
    bool runAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments,
        const std::string& message) override
    {
        started.push_back({ program, arguments, message });
        if (starts && whileRunning)
            whileRunning();
        return starts;
    }

    struct Start {
        std::filesystem::path program;
        std::vector<std::string> arguments;
        std::string message;
    };
    std::vector<Start> started;
    bool starts = true;
    std::function<void()> whileRunning;
};

std::string directory(const std::string& name, const std::string& url, const std::string& rest = {})
{
    return "<directory name=\"" + name + "\" submiturl=\"" + url + "\"" + rest + "/>";
}

const std::string kSvDat = "2\nActive\n2\n"
                           "Active\nhttp://changed.example/\n1\nT\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n0\n"
                           "Fresh\nhttp://fresh.example/\n1\nT\n1\nD\nc\ns\n1\nK\ne\nf\nl\nu\np\n1\nAlpha\n";

// A data folder with a main and a custom database and the history profiles,
// read as the main window reads it, and the commands on it.
struct CommandsFixture {
    TempFolder folder;
    RecordingMessageBox messages;
    ScriptedFileDialog files;
    FakeProgramRunner programs;
    std::vector<bool> populated;
    int profileRefreshes = 0;
    MainWindowState state { messages, DataFolder(folder.path("data")) };
    FileMenuCommands commands { state, messages, files, programs,
        { [this](bool reload) {
             populated.push_back(reload);
             if (reload)
                 state.reloadDirectories();
         },
            [this] { ++profileRefreshes; } },
        folder.path("program") };

    CommandsFixture()
    {
        folder.write("data/dirdata.xml",
            scrambleDatabase(databaseText("rf", directory("Alpha", "http://www.alpha.example/add"))));
        folder.write(
            "data/customdirdata.xml", databaseText("customdirs", directory("Beta", "http://beta.example/x")));
        folder.write("data/sv.xml", historyProfilesText());
        state.load();
        messages.clear();
    }

    void choose(const std::filesystem::path& path, int filter = 0)
    {
        files.answers.push_back(ChosenFile { path, filter });
    }
    std::vector<std::string> profileNames() const
    {
        std::vector<std::string> names;
        const_cast<MainWindowState&>(state).profiles().GetProfileNames(names);
        return names;
    }
};

RecordedMessage information(std::string text)
{
    return shown(std::move(text), "Vantelo", MessageIcon::Information);
}

RecordedMessage warning(std::string text)
{
    return shown(std::move(text), "Vantelo", MessageIcon::Warning);
}

TEST(FileMenuCommandsTest, EveryDialogOffersTheTypesOfItsFiles)
{
    CommandsFixture fixture;
    fixture.commands.exportProfiles();
    fixture.commands.importProfiles();
    fixture.commands.exportCustomDatabase();
    fixture.commands.importCustomDatabase();
    fixture.commands.exportSubmissionHistory();
    EXPECT_TRUE(fixture.messages.empty()) << "cancelling says nothing";
    const auto& requests = fixture.files.requests;
    ASSERT_EQ(requests.size(), 5U);
    const auto descriptions = [](const FileDialogRequest& request) {
        std::vector<std::string> texts;
        for (const FileFilter& filter : request.filters)
            texts.push_back(filter.description + " | " + filter.patterns);
        return texts;
    };
    EXPECT_EQ(requests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_THAT(descriptions(requests[0]), ElementsAre("XML Files (*.xml) | *.xml", "All Files (*.*) | *.*"));
    EXPECT_EQ(requests[1].mode, FileDialogRequest::Mode::Open);
    EXPECT_THAT(descriptions(requests[1]),
        ElementsAre("Vantelo profile files (sv.xml; sv.dat) | sv.xml;sv.dat", "All Files (*.*) | *.*"));
    EXPECT_EQ(requests[2].mode, FileDialogRequest::Mode::Save);
    EXPECT_THAT(descriptions(requests[3]),
        ElementsAre("Vantelo Custom Database (*.xml) | *.xml", "All Files (*.*) | *.*"));
    EXPECT_EQ(requests[4].mode, FileDialogRequest::Mode::Save);
    EXPECT_THAT(descriptions(requests[4]),
        ElementsAre("Microsoft Excel Workbook (*.xlsx) | *.xlsx", "XML Files (*.xml) | *.xml",
            "All Files (*.*) | *.*"));
    EXPECT_EQ(requests[4].defaultExtension, "xlsx");
    EXPECT_EQ(requests[4].presetName, kHistoryProfile);
}

TEST(FileMenuCommandsTest, ExportedProfilesReadBackAsTheWholeStore)
{
    CommandsFixture fixture;
    fixture.choose(fixture.folder.path("copy.xml"));
    fixture.commands.exportProfiles();
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(information("Your profiles were successfully exported!")));
    EXPECT_EQ(fixture.folder.read("copy.xml"), fixture.state.profiles().documentText());

    fixture.messages.clear();
    fixture.choose(fixture.folder.path("missing/copy.xml"));
    fixture.commands.exportProfiles();
    EXPECT_EQ(fixture.messages.messages().back(),
        vanteloError("There was an error while exporting your profiles!"));
}

TEST(FileMenuCommandsTest, AnXmlAnywhereInThePathImportsAProfileFileEvenWhenItEndsInDat)
{
    CommandsFixture fixture;
    const auto source = fixture.folder.write("old.xml/sv.dat",
        "<?xml version=\"1.0\"?><profiles><profile><name>Imported</name></profile>"
        "<profile><name>Other</name></profile></profiles>");
    fixture.choose(source);
    fixture.commands.importProfiles();
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(information("1 profile(s) were successfully imported")));
    EXPECT_THAT(fixture.profileNames(), ElementsAre(kHistoryProfile, "Other", "Imported"));
    EXPECT_EQ(fixture.profileRefreshes, 1);
}

TEST(FileMenuCommandsTest, AnSvDatAddsOnlyNewProfilesAndCountsThem)
{
    CommandsFixture fixture;
    SendingProfile::SiteProfile kept;
    kept.name = "Active";
    kept.url = "http://kept/";
    fixture.state.profiles().SetProfile("Active", kept);
    fixture.choose(fixture.folder.write("sv.dat", kSvDat));
    fixture.commands.importProfiles();
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(information("1 profile(s) were successfully imported")));
    SendingProfile::SiteProfile active;
    fixture.state.profiles().GetProfile("Active", active);
    EXPECT_EQ(active.url, "http://kept/");
    EXPECT_TRUE(fixture.state.profiles().IsSubmitted("Fresh", "Alpha", "http://www.alpha.example/add"));
    EXPECT_EQ(fixture.profileRefreshes, 1);
}

TEST(FileMenuCommandsTest, AnSvDatOfAnotherVersionReportsNoProfiles)
{
    CommandsFixture fixture;
    fixture.choose(fixture.folder.write("sv.dat", "3\nActive\n1\nActive\n"));
    fixture.commands.importProfiles();
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(information("0 profile(s) were successfully imported")));
    EXPECT_EQ(fixture.profileRefreshes, 0);
}

TEST(FileMenuCommandsTest, UnreadableAndUnknownProfileFilesAreRefused)
{
    CommandsFixture fixture;
    fixture.choose(fixture.folder.path("gone.dat"));
    fixture.choose(fixture.folder.write("profiles.txt", "2\n"));
    fixture.choose(fixture.folder.write("broken.xml", "<profiles><profile>"));
    fixture.commands.importProfiles();
    fixture.commands.importProfiles();
    fixture.commands.importProfiles();
    const auto& shownMessages = fixture.messages.messages();
    ASSERT_GE(shownMessages.size(), 3U);
    EXPECT_EQ(shownMessages[0], vanteloError("An error occurred while importing the profiles!"));
    EXPECT_EQ(shownMessages[1],
        information(
            "File format not supported. Only sv.dat or sv.xml files are accepted as valid import sources."));
    EXPECT_EQ(shownMessages.back(), vanteloError("An error occurred while importing the profiles!"));
    EXPECT_THAT(fixture.profileNames(), ElementsAre(kHistoryProfile, "Other"));
}

TEST(FileMenuCommandsTest, TheCustomDatabaseExportIsTheFileAsLastSaved)
{
    CommandsFixture fixture;
    const std::string saved = fixture.folder.read("data/customdirdata.xml");
    fixture.state.customDirectories().AddDirectory("Unsaved");
    fixture.choose(fixture.folder.write("export.xml", "older"));
    fixture.commands.exportCustomDatabase();
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(information("Your custom directory list has been successfully exported")));
    EXPECT_EQ(fixture.folder.read("export.xml"), saved);

    fixture.messages.clear();
    std::filesystem::remove(fixture.folder.path("data/customdirdata.xml"));
    fixture.choose(fixture.folder.path("again.xml"));
    fixture.commands.exportCustomDatabase();
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(warning(
            "An error occurred while exporting your custom directory list. Make sure you have at least "
            "one custom directory in your configuration and the destination path is not read only")));
    EXPECT_FALSE(fixture.folder.exists("again.xml"));
}

TEST(FileMenuCommandsTest, ACustomDatabaseImportSkipsNamesAndHostsKnownInEitherStore)
{
    CommandsFixture fixture;
    fixture.choose(fixture.folder.write("import.xml",
        databaseText("customdirs",
            directory("Alpha", "http://new.example/")
                + directory("Alpha mirror", "http://alpha.example/other")
                + directory("Beta again", "http://www.beta.example/y")
                + R"(<directory name="Gamma" submiturl="http://gamma.example/add" pr="4" revision="9")"
                  R"( onsubmit="Thanks" category="Arts,News"><item name="TITLE" index="1" value="#title#")"
                  R"( type="edit"/></directory>)"
                + directory("Gamma twin", "http://gamma.example/other"))));
    fixture.commands.importCustomDatabase();
    EXPECT_THAT(
        fixture.messages.messages(), ElementsAre(information("1 directories were successfully imported")));
    EXPECT_THAT(fixture.populated, ElementsAre(true));

    const DirectoryRecord* gamma = fixture.state.customDirectories().find("Gamma");
    ASSERT_NE(gamma, nullptr);
    EXPECT_EQ(*gamma,
        (DirectoryRecord { "Gamma", 0, 4, "http://gamma.example/add", "Arts,News", "",
            { DirectoryItem { "TITLE", ControlType::Edit, 1, "#title#" } }, {} }));
    EXPECT_THAT(namesOf(fixture.state.customDirectories()), ElementsAre("Beta", "Gamma"));
    EXPECT_NE(fixture.state.directories().find("Gamma"), nullptr) << "the list shows it";
    EXPECT_THAT(fixture.folder.read("data/customdirdata.xml"), HasSubstr("name=\"Gamma\""));
}

TEST(FileMenuCommandsTest, ACustomDatabaseWithNothingNewCountsNoneAndABrokenOneIsRefused)
{
    CommandsFixture fixture;
    fixture.choose(
        fixture.folder.write("same.xml", databaseText("customdirs", directory("Beta", "http://b2/"))));
    fixture.choose(fixture.folder.write("broken.xml", "<customdirs><directory name="));
    fixture.choose(fixture.folder.path("missing.xml"));
    fixture.commands.importCustomDatabase();
    fixture.commands.importCustomDatabase();
    fixture.commands.importCustomDatabase();
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(information("0 directories were successfully imported"),
            warning("Unable to import any directories from the specified file"),
            warning("Unable to import any directories from the specified file")));
    EXPECT_THAT(namesOf(fixture.state.customDirectories()), ElementsAre("Beta"));
}

TEST(FileMenuCommandsTest, ImportedDirectoriesStayWhenTheCustomDatabaseCannotBeSaved)
{
    CommandsFixture fixture;
    fixture.choose(
        fixture.folder.write("import.xml", databaseText("customdirs", directory("Delta", "http://d/"))));
    // A folder where the file should be: the save fails.
    std::filesystem::remove(fixture.folder.path("data/customdirdata.xml"));
    std::filesystem::create_directories(fixture.folder.path("data/customdirdata.xml/x"));
    fixture.commands.importCustomDatabase();
    EXPECT_THAT(fixture.populated, ElementsAre(false));
    EXPECT_NE(fixture.state.customDirectories().find("Delta"), nullptr);
    EXPECT_NE(fixture.state.directories().find("Delta"), nullptr);
    EXPECT_EQ(fixture.messages.messages().back(), information("1 directories were successfully imported"));
}

TEST(FileMenuCommandsTest, TheHistoryExportNeedsAnActiveProfile)
{
    CommandsFixture fixture;
    fixture.state.active().reloadAfterManaging(SendingProfile::ProfileStore(fixture.messages));
    fixture.commands.exportSubmissionHistory();
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(
            warning("No active profile currently exists. You must create and select an active profile before "
                    "exporting the submission history")));
    EXPECT_THAT(fixture.files.requests, IsEmpty());
}

TEST(FileMenuCommandsTest, TheChosenTypeDecidesWhatTheHistoryExportWrites)
{
    CommandsFixture fixture;
    fixture.folder.write("program/submission.xsl", "<shipped/>");
    fixture.choose(fixture.folder.path("out/all.xlsx"), 2);
    fixture.choose(fixture.folder.path("out/report.xlsx"), 1);
    fixture.choose(fixture.folder.path("out/book.xml"), 0);
    std::filesystem::create_directories(fixture.folder.path("out"));
    fixture.commands.exportSubmissionHistory();
    EXPECT_TRUE(fixture.messages.empty()) << "All Files writes and says nothing";
    EXPECT_FALSE(fixture.folder.exists("out/all.xlsx"));
    fixture.commands.exportSubmissionHistory();
    EXPECT_THAT(fixture.folder.read("out/report.xlsx"), HasSubstr("<?xml-stylesheet"));
    EXPECT_EQ(fixture.folder.read("out/submission.xsl"), "<shipped/>");
    fixture.commands.exportSubmissionHistory();
    EXPECT_EQ(fixture.folder.read("out/book.xml").substr(0, 2), "PK") << "a zip container, whatever the name";
    EXPECT_EQ(fixture.messages.messages().back(),
        information("The current profile has been successfully exported."));
}

TEST(FileMenuCommandsTest, TheListCheckerGetsTheSavedDatabaseAndTheListIsReadAgainAfterIt)
{
    CommandsFixture fixture;
    fixture.state.customDirectories().AddDirectory("Unsaved");
    std::string seenByChecker;
    fixture.programs.whileRunning = [&] {
        seenByChecker = fixture.folder.read("data/customdirdata.xml");
        fixture.folder.write(
            "data/customdirdata.xml", databaseText("customdirs", directory("Checked", "http://c/")));
    };
    fixture.commands.checkCustomDatabase();
    ASSERT_EQ(fixture.programs.started.size(), 1U);
    const auto& start = fixture.programs.started[0];
    EXPECT_EQ(start.program, fixture.folder.path("program") / "tessaly");
    const std::string data = fixture.folder.path("data").string();
    EXPECT_THAT(
        start.arguments, ElementsAre("--data-dir", data, "<open>" + data + "/customdirdata.xml</open>"));
    EXPECT_EQ(start.message, "Please close the list checker before continuing...");
    EXPECT_THAT(seenByChecker, HasSubstr("name=\"Unsaved\""));
    EXPECT_THAT(fixture.populated, ElementsAre(true));
    EXPECT_THAT(namesOf(fixture.state.customDirectories()), ElementsAre("Checked"));
    EXPECT_TRUE(fixture.messages.empty());
}

TEST(FileMenuCommandsTest, AListCheckerThatDoesNotStartIsSaidAndNothingIsReread)
{
    CommandsFixture fixture;
    fixture.programs.starts = false;
    fixture.commands.checkCustomDatabase();
    EXPECT_THAT(fixture.messages.messages(),
        ElementsAre(warning(
            "Unable to start the directory list checker. Please check that Vantelo is properly installed")));
    EXPECT_THAT(fixture.populated, IsEmpty());
}

TEST(FileMenuCommandsTest, AnUnsavedCustomDatabaseIsNeverHandedToTheChecker)
{
    CommandsFixture fixture;
    fixture.state.customDirectories().AddDirectory("Unsaved");
    std::filesystem::remove(fixture.folder.path("data/customdirdata.xml"));
    std::filesystem::create_directories(fixture.folder.path("data/customdirdata.xml/x"));
    fixture.commands.checkCustomDatabase();
    EXPECT_THAT(fixture.programs.started, IsEmpty());
    EXPECT_THAT(fixture.populated, IsEmpty());
    EXPECT_NE(fixture.state.customDirectories().find("Unsaved"), nullptr);
    EXPECT_FALSE(fixture.messages.empty()) << "the store says why it could not save";
}

} // namespace
