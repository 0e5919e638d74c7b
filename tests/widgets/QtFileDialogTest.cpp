#include "widgets/QtFileDialog.h"

#include "GuiTestSupport.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

TEST(QtFileDialogTest, ShowsPatternsItCanMatchAndReportsTheChosenType)
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
