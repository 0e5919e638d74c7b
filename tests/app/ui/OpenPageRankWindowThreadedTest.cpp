// PageRank from Open PageRank where the user sees it: the directories of a bulk
// import started from the main window land in its list with the PageRank the
// service gave.
#include "MainWindowTesting.h"

#include "app/ui/CustomDirectoryCommands.h"
#include "app/ui/MainMenus.h"
#include "custom/ui/CCustomDirListManager.h"
#include "custom/ui/CImportDirectoriesDlg.h"
#include "stats/StatisticsFakes.h"
#include "support/NamedChild.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

TEST(OpenPageRankWindowThreaded, ImportedDirectoriesShowTheirPageRankInTheMainWindowsList)
{
    OpenPageRankFake openPageRank;
    openPageRank.setRank("first.com", 7);
    openPageRank.setRank("second.org", 4);
    MainWindowFixture fixture;
    fixture.writeSettings("<openpagerankkey>" + std::string(OpenPageRankFake::kKey) + "</openpagerankkey>"
        + "<openpagerankurl>" + openPageRank.url() + "</openpagerankurl>");
    fixture.writeDatabase(directoryElement("Vendor", 5, "about:blank#vendor", R"(category="News")"));
    fixture.writeCustomDatabase({});
    fixture.writeProfiles(profileElement("Site"), "Site");
    const QString list = QString::fromStdString(
        fixture.folder.write("list.txt", "http://first.com/add.php\nSecond,http://www.second.org/submit\n")
            .string());

    bool imported = false;
    fixture.seams.customManager = {
        [&](CCustomDirListManager& manager) {
            // The import dialog is modal: it is driven once it shows.
            QTimer::singleShot(0, [&] {
                auto* import = qobject_cast<CImportDirectoriesDlg*>(QApplication::activeModalWidget());
                ASSERT_NE(import, nullptr);
                child<QLineEdit>(*import, "fileEdit")->setText(list);
                child<QPushButton>(*import, "importButton")->click();
                QPushButton* close = child<QPushButton>(*import, "cancelButton");
                imported = waitUntil([&] { return close->text() == QStringLiteral("Close"); }, 30000);
                close->click();
            });
            child<QPushButton>(manager, "importButton")->click();
        },
        {}
    };
    CQuenlarDlg& window = fixture.start();
    window.menus().manageCustomDirectories->trigger();

    ASSERT_TRUE(imported);
    EXPECT_THAT(fixture.rowTexts(),
        ElementsAre("First[pr7] [not sent]", "Vendor[pr5] [not sent]", "Second[pr4] [not sent]"));
    // Both directories went in one request.
    EXPECT_EQ(openPageRank.batches().size(), 1u);
}

} // namespace
