#include "checker/ui/CReviewDlg.h"

#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kCaption = "Review changes";
constexpr const char* kPrGroup = "PR Updates";
constexpr const char* kPrText =
    "A PR change was detected for the directories below. You can manually select the entries to be updated";
constexpr const char* kPrHelp = "Vantelo List Checker detected a PR change for the directories below. It is "
                                "recommended to update the PR for "
                                "all the directories to the latest value (check all items). Note: PR values "
                                "are for the directory main page";
constexpr const char* kBrokenGroup = "Disabled directories";
constexpr const char* kBrokenText =
    "The directories selected below will be disabled. You can manually select the entries to be updated";
constexpr const char* kBrokenHelp =
    "Vantelo List Checker detected an error while connecting to the directories below. You can disable the "
    "directories which will make them dissapear from your directory list. Because the error may be due to a "
    "poor "
    "connection or a temporary problem it is recommended to proceed only if you experienced problems before.";
constexpr const char* kCheckAll = "Check All";
constexpr const char* kUncheckAll = "Uncheck All";
constexpr const char* kSaveAs = "Save...";
constexpr const char* kSave = "Save";
constexpr const char* kCancel = "Cancel";

// The columns of the two lists and their widths in pixels.
struct Column {
    const char* title;
    int width;
};
constexpr Column kPrColumns[] { { "Directory Name", 150 }, { "Directory Address", 200 }, { "Old PR", 60 },
    { "New PR", 60 } };
constexpr Column kBrokenColumns[] { { "Directory Name", 150 }, { "Directory Address", 200 } };

template <std::size_t N> QTreeWidget* makeList(const Column (&columns)[N], QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnCount(static_cast<int>(N));
    QStringList titles;
    for (const Column& column : columns)
        titles << toQString(column.title);
    list->setHeaderLabels(titles);
    for (std::size_t at = 0; at < N; ++at)
        list->setColumnWidth(static_cast<int>(at), columns[at].width);
    return list;
}

void addRow(QTreeWidget* list, const QStringList& cells, bool checked)
{
    auto* row = new QTreeWidgetItem(list, cells);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void setAllChecked(QTreeWidget* list, bool checked)
{
    for (int at = 0; at < list->topLevelItemCount(); ++at)
        list->topLevelItem(at)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

std::vector<bool> checkStates(const QTreeWidget* list)
{
    std::vector<bool> states;
    for (int at = 0; at < list->topLevelItemCount(); ++at)
        states.push_back(list->topLevelItem(at)->checkState(0) == Qt::Checked);
    return states;
}

} // namespace

CReviewDlg::CReviewDlg(const CheckResults& results, bool openedFromCommandLine, QWidget* parent)
    : QDialog(parent)
    , m_prList(makeList(kPrColumns, this))
    , m_brokenList(makeList(kBrokenColumns, this))
    , m_prCheckAll(new QPushButton(toQString(kCheckAll), this))
    , m_prUncheckAll(new QPushButton(toQString(kUncheckAll), this))
    , m_brokenCheckAll(new QPushButton(toQString(kCheckAll), this))
    , m_brokenUncheckAll(new QPushButton(toQString(kUncheckAll), this))
    , m_save(new QPushButton(toQString(openedFromCommandLine ? kSave : kSaveAs), this))
    , m_cancel(new QPushButton(toQString(kCancel), this))
{
    setWindowTitle(toQString(kCaption));
    for (const PrChange& change : results.prChanges)
        addRow(m_prList,
            { QString::fromStdU16String(change.name), QString::fromStdU16String(change.address),
                QString::number(change.oldPR), QString::number(change.newPR) },
            true);
    for (const BrokenSite& site : results.brokenSites)
        addRow(m_brokenList,
            { QString::fromStdU16String(site.name), QString::fromStdU16String(site.address) }, false);

    for (QPushButton* button :
        { m_prCheckAll, m_prUncheckAll, m_brokenCheckAll, m_brokenUncheckAll, m_cancel })
        button->setAutoDefault(false);
    m_save->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_save, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(kPrGroup, kPrText, kPrHelp, m_prList, m_prCheckAll, m_prUncheckAll));
    layout->addWidget(
        group(kBrokenGroup, kBrokenText, kBrokenHelp, m_brokenList, m_brokenCheckAll, m_brokenUncheckAll));
    layout->addWidget(buttons);

    connect(m_prCheckAll, &QPushButton::clicked, this, [this] { setAllChecked(m_prList, true); });
    connect(m_prUncheckAll, &QPushButton::clicked, this, [this] { setAllChecked(m_prList, false); });
    connect(m_brokenCheckAll, &QPushButton::clicked, this, [this] { setAllChecked(m_brokenList, true); });
    connect(m_brokenUncheckAll, &QPushButton::clicked, this, [this] { setAllChecked(m_brokenList, false); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(680, 520);

    m_prList->setObjectName("prList");
    m_brokenList->setObjectName("brokenList");
    m_prCheckAll->setObjectName("prCheckAllButton");
    m_prUncheckAll->setObjectName("prUncheckAllButton");
    m_brokenCheckAll->setObjectName("brokenCheckAllButton");
    m_brokenUncheckAll->setObjectName("brokenUncheckAllButton");
    m_save->setObjectName("saveButton");
    m_cancel->setObjectName("cancelButton");
}

std::optional<ReviewSelection> CReviewDlg::Run(
    const CheckResults& results, bool openedFromCommandLine, QWidget* parent)
{
    CReviewDlg review(results, openedFromCommandLine, parent);
    if (review.exec() != QDialog::Accepted)
        return std::nullopt;
    return review.Selection();
}

void CReviewDlg::accept()
{
    m_selection.prChanges = checkStates(m_prList);
    m_selection.brokenSites = checkStates(m_brokenList);
    QDialog::accept();
}

QWidget* CReviewDlg::group(const char* title, const char* explanation, const char* help, QTreeWidget* list,
    QPushButton* checkAll, QPushButton* uncheckAll)
{
    auto* box = new QGroupBox(toQString(title), this);
    auto* intro = new QLabel(toQString(explanation), box);
    intro->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(intro, 1);
    top->addWidget(new CStaticHelp(toQString(help), box), 0, Qt::AlignTop);
    auto* side = new QVBoxLayout;
    side->addWidget(checkAll);
    side->addWidget(uncheckAll);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(list, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(top);
    layout->addLayout(middle);
    return box;
}
