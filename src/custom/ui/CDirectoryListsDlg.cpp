#include "custom/ui/CDirectoryListsDlg.h"

#include "common/IMessageBox.h"
#include "common/LocalTime.h"
#include "widgets/QtText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kIntro =
    "Vantelo follows these directory lists at their addresses. \"Update Now\", and "
    "Tools > Update Lists in the main window, fetch them: new directories are added, "
    "ratings, link types and pricing are updated, and directories that left a list are "
    "marked as no longer listed.";
constexpr const char* kSuggestion =
    "Suggested: the %1 (%2 licence), a community list of launch platforms and "
    "startup directories. Nothing is fetched until you add it and update.";

} // namespace

std::string followedListText(const FollowedList& list)
{
    if (list.updated == 0)
        return list.url + " (not read yet)";
    return list.url + " (updated " + formatLocalTime(list.updated, "%Y-%m-%d %H:%M") + ", "
        + std::to_string(list.sites.size()) + " directories)";
}

CDirectoryListsDlg::CDirectoryListsDlg(
    const DataFolder& folder, IMessageBox& messages, UpdateNow updateNow, QWidget* parent)
    : QDialog(parent)
    , m_lists(folder)
    , m_messages(messages)
    , m_updateNow(std::move(updateNow))
    , m_list(new QListWidget(this))
    , m_url(new QLineEdit(this))
    , m_add(new QPushButton(QStringLiteral("&Add"), this))
    , m_remove(new QPushButton(QStringLiteral("&Remove"), this))
    , m_update(new QPushButton(QStringLiteral("&Update Now"), this))
    , m_suggest(new QPushButton(QStringLiteral("Add &Suggested List"), this))
{
    setWindowTitle(toQString(kCaption));
    auto* intro = new QLabel(toQString(kIntro), this);
    intro->setWordWrap(true);
    auto* suggestion = new QLabel(
        toQString(kSuggestion)
            .arg(toQString(FollowedLists::kSuggestedName), toQString(FollowedLists::kSuggestedLicence)),
        this);
    suggestion->setWordWrap(true);
    m_url->setPlaceholderText(QStringLiteral("https://example.org/directories.csv"));
    auto* urlLabel = new QLabel(QStringLiteral("List &address:"), this);
    urlLabel->setBuddy(m_url);

    auto* grid = new QGridLayout;
    grid->addWidget(m_list, 0, 0, 3, 2);
    grid->addWidget(m_remove, 0, 2);
    grid->addWidget(m_update, 1, 2);
    grid->addWidget(urlLabel, 3, 0);
    grid->addWidget(m_url, 3, 1);
    grid->addWidget(m_add, 3, 2);
    grid->addWidget(suggestion, 4, 0, 1, 2);
    grid->addWidget(m_suggest, 4, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    for (QPushButton* button : { m_add, m_remove, m_update, m_suggest })
        button->setAutoDefault(false);
    resize(620, 380);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, [this] { add(toStdString(m_url->text().trimmed())); });
    connect(m_url, &QLineEdit::returnPressed, m_add, &QPushButton::click);
    connect(m_remove, &QPushButton::clicked, this, &CDirectoryListsDlg::removeSelected);
    connect(m_update, &QPushButton::clicked, this, &CDirectoryListsDlg::updateNow);
    connect(m_suggest, &QPushButton::clicked, this, [this] { add(FollowedLists::kSuggestedUrl); });
    connect(
        m_list, &QListWidget::currentRowChanged, this, [this](int row) { m_remove->setEnabled(row >= 0); });

    m_list->setObjectName("listList");
    m_url->setObjectName("urlEdit");
    m_add->setObjectName("addButton");
    m_remove->setObjectName("removeButton");
    m_update->setObjectName("updateButton");
    m_suggest->setObjectName("suggestButton");
    reload();
}

void CDirectoryListsDlg::reload()
{
    std::string problem;
    if (!m_lists.load(problem))
        m_messages.show(problem, kVanteloCaption, MessageIcon::Error);
    showLists();
}

// Shows the lists as they are now.
void CDirectoryListsDlg::showLists()
{
    m_list->clear();
    for (const FollowedList& list : m_lists.lists())
        m_list->addItem(toQString(followedListText(list)));
    m_remove->setEnabled(false);
    m_update->setEnabled(!m_lists.lists().empty());
    m_suggest->setEnabled(!m_lists.find(FollowedLists::kSuggestedUrl));
}

void CDirectoryListsDlg::add(const std::string& url)
{
    if (!FollowedLists::listAddress(url)) {
        m_messages.show(kNotAnAddress, kVanteloCaption, MessageIcon::Warning);
        return;
    }
    if (!m_lists.add(url)) {
        m_messages.show(kFollowedAlready, kVanteloCaption, MessageIcon::Information);
        return;
    }
    if (save())
        m_url->clear();
    showLists();
}

void CDirectoryListsDlg::removeSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_lists.lists().size()))
        return;
    const std::string url = m_lists.lists()[static_cast<std::size_t>(row)].url;
    const QString question = toQString(kRemoveQuestion).arg(toQString(url));
    if (m_messages.ask(toStdString(question), kVanteloCaption, MessageButtons::YesNo, MessageIcon::Question)
        != MessageAnswer::Yes)
        return;
    m_lists.remove(url);
    save();
    showLists();
}

void CDirectoryListsDlg::updateNow()
{
    if (m_updateNow)
        m_updateNow();
    reload();
}

bool CDirectoryListsDlg::save()
{
    std::string problem;
    if (m_lists.save(problem))
        return true;
    m_messages.show(problem, kVanteloCaption, MessageIcon::Error);
    return false;
}
