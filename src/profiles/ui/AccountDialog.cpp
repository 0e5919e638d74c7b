#include "profiles/ui/AccountDialog.h"

#include "widgets/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace SendingProfile {

AccountDialog::AccountDialog(const DirectoryAccount& account, QWidget* parent)
    : QDialog(parent)
    , m_directory(new QLineEdit(toQString(account.directory)))
    , m_userName(new QLineEdit(toQString(account.userName)))
    , m_password(new QLineEdit(toQString(account.password)))
    , m_reveal(new QCheckBox(QStringLiteral("Sho&w")))
    , m_profilePassword(new QCheckBox(QStringLiteral("Use the &profile's password")))
{
    setWindowTitle(
        account.directory.empty() ? QStringLiteral("Add Account") : QStringLiteral("Change Account"));
    m_directory->setReadOnly(!account.directory.empty());
    m_password->setEchoMode(QLineEdit::Password);
    m_profilePassword->setChecked(!account.directory.empty() && account.usesProfilePassword());
    showProfilePassword(m_profilePassword->isChecked());

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Directory:"), m_directory);
    fields->addRow(QStringLiteral("&User name:"), m_userName);
    fields->addRow(QStringLiteral("Pass&word:"), m_password);
    fields->addRow(QString(), m_reveal);
    fields->addRow(QString(), m_profilePassword);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &AccountDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_reveal, &QCheckBox::toggled, this,
        [this](bool reveal) { m_password->setEchoMode(reveal ? QLineEdit::Normal : QLineEdit::Password); });
    connect(m_profilePassword, &QCheckBox::toggled, this, &AccountDialog::showProfilePassword);
    (account.directory.empty() ? m_directory : m_password)->setFocus();

    m_directory->setObjectName("directoryEdit");
    m_userName->setObjectName("userNameEdit");
    m_password->setObjectName("passwordEdit");
    m_profilePassword->setObjectName("profilePasswordBox");
}

DirectoryAccount AccountDialog::account() const
{
    return { toStdString(m_directory->text().trimmed()), toStdString(m_userName->text()),
        m_profilePassword->isChecked() ? std::string() : toStdString(m_password->text()) };
}

// An account needs its directory and a password of its own or the profile's.
void AccountDialog::accept()
{
    if (m_directory->text().trimmed().isEmpty()) {
        m_directory->setFocus();
        return;
    }
    if (!m_profilePassword->isChecked() && m_password->text().isEmpty()) {
        m_password->setFocus();
        return;
    }
    QDialog::accept();
}

void AccountDialog::showProfilePassword(bool uses)
{
    m_password->setEnabled(!uses);
    m_reveal->setEnabled(!uses);
}

} // namespace SendingProfile
