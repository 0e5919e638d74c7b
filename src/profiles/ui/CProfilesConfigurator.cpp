#include "profiles/ui/CProfilesConfigurator.h"

#include "profiles/ui/AccountsPanel.h"
#include "profiles/ui/CProfileConfigurator.h"
#include "widgets/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace SendingProfile {

CProfilesConfigurator::CProfilesConfigurator(
    ProfileStore& store, IMessageBox& messages, IWaitDialog& wait, QWidget* parent)
    : QDialog(parent)
    , m_model(store, messages)
    , m_messages(messages)
    , m_wait(wait)
    , m_list(new QListWidget)
    , m_add(new QPushButton(QStringLiteral("&Add")))
    , m_edit(new QPushButton(QStringLiteral("&Edit")))
    , m_remove(new QPushButton(QStringLiteral("&Remove")))
    , m_close(new QPushButton(QStringLiteral("Close")))
{
    setWindowTitle(QStringLiteral("Profile Manager"));
    auto* label = new QLabel(QStringLiteral("Available profiles"));
    label->setBuddy(m_list);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { m_add, m_edit, m_remove, m_close })
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addWidget(label);
    list->addWidget(m_list, 1);
    auto* profiles = new QHBoxLayout;
    profiles->addLayout(list, 1);
    profiles->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(profiles, 1);

    // Enter opens the selected profile; Escape closes, as Close does.
    m_edit->setDefault(true);
    connect(m_add, &QPushButton::clicked, this, &CProfilesConfigurator::addProfile);
    connect(m_edit, &QPushButton::clicked, this, &CProfilesConfigurator::editProfile);
    connect(m_remove, &QPushButton::clicked, this, &CProfilesConfigurator::removeProfile);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CProfilesConfigurator::editProfile);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CProfilesConfigurator::enableButtons);
    refill(0);
    m_list->setFocus();
    resize(360, 240);

    m_list->setObjectName("profileList");
    m_add->setObjectName("addButton");
    m_edit->setObjectName("editButton");
    m_remove->setObjectName("removeButton");
    m_close->setObjectName("closeButton");
}

void CProfilesConfigurator::showAccounts(DirectoryAccounts& accounts, IClipboard& clipboard)
{
    if (m_accounts)
        return;
    m_accounts = new AccountsPanel(accounts, clipboard, m_messages);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_accounts, 1);
    resize(560, 480);
    enableButtons();
}

void CProfilesConfigurator::addProfile()
{
    runWizard(m_model.newProfile());
}

void CProfilesConfigurator::editProfile()
{
    if (m_list->selectedItems().isEmpty())
        return;
    std::optional<ProfileWizardModel> profile = m_model.editProfile(m_list->currentRow());
    if (profile)
        runWizard(std::move(*profile));
}

void CProfilesConfigurator::removeProfile()
{
    if (m_list->selectedItems().isEmpty())
        return;
    const int row = m_list->currentRow();
    if (m_model.remove(row))
        refill(row);
}

void CProfilesConfigurator::runWizard(ProfileWizardModel model)
{
    CProfileConfigurator wizard(std::move(model), m_messages, m_wait, this);
    if (wizard.exec() != QDialog::Accepted)
        return;
    const int row = m_model.store(wizard.model());
    if (row >= 0)
        refill(row);
}

// Shows the names again and selects a row, or the last one when the row is past the end.
void CProfilesConfigurator::refill(int selected)
{
    m_list->clear();
    for (const std::string& name : m_model.names())
        m_list->addItem(toQString(name));
    m_list->setCurrentRow(std::min(selected, m_list->count() - 1));
    enableButtons();
}

void CProfilesConfigurator::enableButtons()
{
    const bool selected = !m_list->selectedItems().isEmpty();
    m_edit->setEnabled(selected);
    m_remove->setEnabled(selected);
    // The accounts follow the selected profile.
    if (m_accounts)
        m_accounts->showProfile(selected ? toStdString(m_list->currentItem()->text()) : std::string());
}

} // namespace SendingProfile
