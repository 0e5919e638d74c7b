#include "profiles/ui/AccountsPanel.h"

#include "common/IClipboard.h"
#include "common/IMessageBox.h"
#include "profiles/DirectoryAccounts.h"
#include "profiles/ui/AccountDialog.h"
#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace SendingProfile {

namespace {

constexpr const char* kHidden = "••••••••";
constexpr const char* kProfilePassword = "(the profile's password)";
constexpr const char* kDeleteQuestion =
    "Are you sure you want to delete your account at %1? Vantelo then forgets its password.";
constexpr const char* kStoreFailed = "Vantelo could not change the account: ";

enum Column {
    kDirectoryColumn, // the directory's name
    kUserColumn, // the account's user name
    kPasswordColumn, // its password, hidden until revealed
};

// Where a row keeps the account's own password.
constexpr int kPasswordRole = Qt::UserRole;

} // namespace

AccountsPanel::AccountsPanel(
    DirectoryAccounts& accounts, IClipboard& clipboard, IMessageBox& messages, QWidget* parent)
    : QWidget(parent)
    , m_accounts(accounts)
    , m_clipboard(clipboard)
    , m_messages(messages)
    , m_table(new QTableWidget(0, 3))
    , m_reveal(new QPushButton(QStringLiteral("Re&veal")))
    , m_copy(new QPushButton(QStringLiteral("Co&py Password")))
    , m_add(new QPushButton(QStringLiteral("A&dd...")))
    , m_change(new QPushButton(QStringLiteral("C&hange...")))
    , m_delete(new QPushButton(QStringLiteral("De&lete")))
{
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("Directory"), QStringLiteral("User name"), QStringLiteral("Password") });
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_reveal->setCheckable(true);
    auto* label = new QLabel(QStringLiteral("Accounts at &directories"));
    label->setBuddy(m_table);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : { m_reveal, m_copy, m_add, m_change, m_delete })
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_reveal, &QPushButton::toggled, this, &AccountsPanel::refill);
    connect(m_copy, &QPushButton::clicked, this, &AccountsPanel::copyPassword);
    connect(m_add, &QPushButton::clicked, this, &AccountsPanel::addAccount);
    connect(m_change, &QPushButton::clicked, this, &AccountsPanel::changeAccount);
    connect(m_delete, &QPushButton::clicked, this, &AccountsPanel::deleteAccount);
    connect(m_table, &QTableWidget::itemDoubleClicked, this, &AccountsPanel::changeAccount);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &AccountsPanel::enableButtons);
    enableButtons();

    m_table->setObjectName("accountTable");
    m_reveal->setObjectName("revealButton");
    m_copy->setObjectName("copyPasswordButton");
    m_add->setObjectName("addAccountButton");
    m_change->setObjectName("changeAccountButton");
    m_delete->setObjectName("deleteAccountButton");
}

void AccountsPanel::showProfile(const std::string& profile)
{
    m_profile = profile;
    m_reveal->setChecked(false);
    refill();
}

void AccountsPanel::refill()
{
    const std::string selected = selectedDirectory();
    m_table->setRowCount(0);
    AccountList list;
    if (!m_profile.empty())
        list = m_accounts.list(m_profile);
    reportFailure(list.error);
    for (const DirectoryAccount& account : list.accounts) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, kDirectoryColumn, new QTableWidgetItem(toQString(account.directory)));
        m_table->setItem(row, kUserColumn, new QTableWidgetItem(toQString(account.userName)));
        const QString shown = account.usesProfilePassword() ? toQString(kProfilePassword)
            : m_reveal->isChecked()                         ? toQString(account.password)
                                                            : toQString(kHidden);
        auto* password = new QTableWidgetItem(shown);
        password->setData(kPasswordRole, toQString(account.password));
        m_table->setItem(row, kPasswordColumn, password);
        if (account.directory == selected)
            m_table->selectRow(row);
    }
    m_add->setEnabled(!m_profile.empty());
    enableButtons();
}

void AccountsPanel::enableButtons()
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    const bool any = !selected.isEmpty();
    const int row = any ? selected.front()->row() : -1;
    const bool ownPassword =
        any && !m_table->item(row, kPasswordColumn)->data(kPasswordRole).toString().isEmpty();
    m_copy->setEnabled(ownPassword);
    m_change->setEnabled(any);
    m_delete->setEnabled(any);
}

void AccountsPanel::addAccount()
{
    if (m_profile.empty())
        return;
    AccountDialog dialog({}, this);
    if (dialog.exec() == QDialog::Accepted) {
        reportFailure(m_accounts.save(m_profile, dialog.account()));
        refill();
    }
}

void AccountsPanel::changeAccount()
{
    const std::string directory = selectedDirectory();
    const std::optional<DirectoryAccount> account =
        directory.empty() ? std::nullopt : m_accounts.find(m_profile, directory);
    if (!account)
        return;
    AccountDialog dialog(*account, this);
    if (dialog.exec() == QDialog::Accepted) {
        reportFailure(m_accounts.save(m_profile, dialog.account()));
        refill();
    }
}

void AccountsPanel::deleteAccount()
{
    const std::string directory = selectedDirectory();
    if (directory.empty())
        return;
    const QString question = toQString(kDeleteQuestion).arg(toQString(directory));
    if (m_messages.ask(toStdString(question), kVanteloCaption, MessageButtons::YesNo, MessageIcon::Question)
        != MessageAnswer::Yes)
        return;
    reportFailure(m_accounts.remove(m_profile, directory));
    refill();
}

void AccountsPanel::copyPassword()
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty())
        return;
    const QString password =
        m_table->item(selected.front()->row(), kPasswordColumn)->data(kPasswordRole).toString();
    if (!password.isEmpty())
        m_clipboard.setText(toStdString(password));
}

std::string AccountsPanel::selectedDirectory() const
{
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    return selected.isEmpty() ? std::string()
                              : toStdString(m_table->item(selected.front()->row(), kDirectoryColumn)->text());
}

void AccountsPanel::reportFailure(const std::optional<std::string>& error)
{
    if (error)
        m_messages.show(kStoreFailed + *error, kVanteloCaption, MessageIcon::Error);
}

} // namespace SendingProfile
