#include "profiles/ui/AlternativeListEditor.h"

#include "profiles/TextCount.h"
#include "profiles/ui/CAddRotateText.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace SendingProfile {

namespace {

constexpr int kTextColumnWidth = 290;
constexpr int kCountColumnWidth = 80;

void showRow(QTreeWidgetItem* item, const std::string& text)
{
    item->setText(0, toQString(text));
    item->setText(1, toQString(listCountText(countText(text))));
}

QTreeWidgetItem* rowItem(const std::string& text)
{
    auto* item = new QTreeWidgetItem;
    showRow(item, text);
    return item;
}

} // namespace

AlternativeListEditor::AlternativeListEditor(const QString& title, ProfileWizardModel& model,
    AlternativeList which, IMessageBox& messages, QWidget* parent)
    : QGroupBox(title, parent)
    , m_model(model)
    , m_which(which)
    , m_messages(messages)
    , m_rows(new QTreeWidget)
    , m_add(new QPushButton(QStringLiteral("add")))
    , m_edit(new QPushButton(QStringLiteral("edit")))
    , m_remove(new QPushButton(QStringLiteral("remove")))
{
    m_rows->setHeaderLabels({ QStringLiteral("Text"), QStringLiteral("Chars/Words") });
    m_rows->setColumnWidth(0, kTextColumnWidth);
    m_rows->setColumnWidth(1, kCountColumnWidth);
    m_rows->setRootIsDecorated(false);
    m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->setMinimumWidth(kTextColumnWidth + kCountColumnWidth + 4);
    m_rows->setMinimumHeight(80);

    auto* removeKey = new QAction(m_rows);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetShortcut);
    m_rows->addAction(removeKey);
    connect(removeKey, &QAction::triggered, this, &AlternativeListEditor::removeRow);
    connect(m_rows, &QTreeWidget::itemDoubleClicked, this, &AlternativeListEditor::editRow);
    connect(m_add, &QPushButton::clicked, this, &AlternativeListEditor::addRow);
    connect(m_edit, &QPushButton::clicked, this, &AlternativeListEditor::editRow);
    connect(m_remove, &QPushButton::clicked, this, &AlternativeListEditor::removeRow);
    // The wizard's Next stays the default button.
    for (QPushButton* button : { m_add, m_edit, m_remove })
        button->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_rows, 1);
    layout->addLayout(buttons);
}

void AlternativeListEditor::refill()
{
    m_rows->clear();
    for (const std::string& text : texts())
        m_rows->addTopLevelItem(rowItem(text));
}

void AlternativeListEditor::addRow()
{
    const std::optional<std::string> text = CAddRotateText::edit(
        m_messages, window(), QString::fromUtf8(ProfileWizardModel::addCaption(m_which)), {});
    if (!text)
        return;
    texts().push_back(*text);
    m_rows->addTopLevelItem(rowItem(*text));
    select(m_rows->topLevelItemCount() - 1);
}

void AlternativeListEditor::editRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const std::optional<std::string> text = CAddRotateText::edit(m_messages, window(),
        QString::fromUtf8(ProfileWizardModel::editCaption(m_which)), texts()[static_cast<std::size_t>(row)]);
    if (text && m_model.replaceRow(m_which, row, *text))
        showRow(m_rows->topLevelItem(row), *text);
}

void AlternativeListEditor::removeRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const int next = m_model.removeRow(m_which, row);
    delete m_rows->takeTopLevelItem(row);
    select(next);
}

int AlternativeListEditor::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = m_rows->selectedItems();
    return selected.isEmpty() ? -1 : m_rows->indexOfTopLevelItem(selected.front());
}

void AlternativeListEditor::select(int row)
{
    m_rows->clearSelection();
    if (QTreeWidgetItem* item = m_rows->topLevelItem(row)) {
        m_rows->setCurrentItem(item);
        item->setSelected(true);
    }
}

std::vector<std::string>& AlternativeListEditor::texts() const
{
    return m_model.list(m_which);
}

} // namespace SendingProfile
