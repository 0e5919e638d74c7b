#pragma once

#include "profiles/DirectoryAccounts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace SendingProfile {

// Adds or changes one account at a directory: the directory (fixed when the
// account exists), the user name, and its own password or the profile's.
class AccountDialog : public QDialog {
    Q_OBJECT

public:
    // An empty directory in the account asks for one.
    explicit AccountDialog(const DirectoryAccount& account, QWidget* parent = nullptr);

    DirectoryAccount account() const;
    // Closes with OK once the account has its directory and a password of its own or the profile's.
    void accept() override;

private:
    void showProfilePassword(bool uses);

    QLineEdit* m_directory;
    QLineEdit* m_userName;
    QLineEdit* m_password;
    QCheckBox* m_reveal;
    QCheckBox* m_profilePassword;
};

} // namespace SendingProfile
