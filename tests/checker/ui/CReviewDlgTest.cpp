#include "checker/ui/CReviewDlg.h"

#include "support/NamedChild.h"
#include "widgets/CStaticHelp.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const CheckResults kResults { { { u"Alpha", u"http://alpha.example/add", 0, 3 },
                                  { u"Beta", u"http://beta.example/", 4, -1 } },
    { { u"Gamma", u"http://gamma.example/" }, { u"Delta", u"http://delta.example/" } } };

QStringList row(const QTreeWidget* list, int at)
{
    QStringList cells;
    for (int column = 0; column < list->columnCount(); ++column)
        cells << list->topLevelItem(at)->text(column);
    return cells;
}

QStringList headers(const QTreeWidget* list)
{
    QStringList titles;
    for (int column = 0; column < list->columnCount(); ++column)
        titles << list->headerItem()->text(column) + QStringLiteral(":")
                + QString::number(list->columnWidth(column));
    return titles;
}

TEST(CReviewDlgTest, ListsTheResultsWithTheirColumnsAndStartingChecks)
{
    CReviewDlg review(kResults, false);
    EXPECT_EQ(review.windowTitle(), QStringLiteral("Review changes"));
    EXPECT_EQ(headers(child<QTreeWidget>(review, "prList")),
        (QStringList { QStringLiteral("Directory Name:150"), QStringLiteral("Directory Address:200"),
            QStringLiteral("Old PR:60"), QStringLiteral("New PR:60") }));
    EXPECT_EQ(headers(child<QTreeWidget>(review, "brokenList")),
        (QStringList { QStringLiteral("Directory Name:150"), QStringLiteral("Directory Address:200") }));
    ASSERT_EQ(child<QTreeWidget>(review, "prList")->topLevelItemCount(), 2);
    EXPECT_EQ(row(child<QTreeWidget>(review, "prList"), 1),
        (QStringList { QStringLiteral("Beta"), QStringLiteral("http://beta.example/"), QStringLiteral("4"),
            QStringLiteral("-1") }));
    EXPECT_EQ(row(child<QTreeWidget>(review, "brokenList"), 0),
        (QStringList { QStringLiteral("Gamma"), QStringLiteral("http://gamma.example/") }));
    EXPECT_EQ(child<QPushButton>(review, "saveButton")->text(), QStringLiteral("Save..."));
    EXPECT_TRUE(child<QPushButton>(review, "saveButton")->isDefault());

    QStringList groups;
    for (const QGroupBox* group : review.findChildren<QGroupBox*>())
        groups << group->title();
    EXPECT_EQ(groups, (QStringList { QStringLiteral("PR Updates"), QStringLiteral("Disabled directories") }));
    QStringList help;
    for (const CStaticHelp* icon : review.findChildren<CStaticHelp*>())
        help << icon->helpText();
    ASSERT_EQ(help.size(), 2);
    EXPECT_TRUE(help[0].endsWith(
        QStringLiteral("(check all items). Note: PR values are for the directory main page")));
    EXPECT_TRUE(help[1].contains(QStringLiteral("which will make them dissapear from your directory list.")));

    // Saving without touching a row: the PageRank updates chosen, no directory disabled.
    child<QPushButton>(review, "saveButton")->click();
    EXPECT_EQ(review.result(), QDialog::Accepted);
    EXPECT_EQ(review.Selection().prChanges, (std::vector<bool> { true, true }));
    EXPECT_EQ(review.Selection().brokenSites, (std::vector<bool> { false, false }));
}

TEST(CReviewDlgTest, CheckAllAndUncheckAllActOnTheirOwnList)
{
    CReviewDlg review(kResults, true);
    EXPECT_EQ(child<QPushButton>(review, "saveButton")->text(), QStringLiteral("Save"));
    child<QPushButton>(review, "prUncheckAllButton")->click();
    child<QPushButton>(review, "brokenCheckAllButton")->click();
    child<QTreeWidget>(review, "brokenList")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    child<QTreeWidget>(review, "prList")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    child<QPushButton>(review, "saveButton")->click();
    EXPECT_EQ(review.Selection().prChanges, (std::vector<bool> { true, false }));
    EXPECT_EQ(review.Selection().brokenSites, (std::vector<bool> { true, false }));
}

} // namespace
