#pragma once

#include <QWidget>

#include <optional>
#include <string>

class IClipboard;
class IMessageBox;
class QPushButton;
class QTableWidget;

namespace SendingProfile {

class DirectoryAccounts;

// The accounts of one profile at directories, in the profile manager: the
// directory, the user name and the password, hidden until revealed; the
// password copied, an account added, changed or deleted. Changes reach the
// secret store at once.
class AccountsPanel : public QWidget {
    Q_OBJECT

public:
    AccountsPanel(
        DirectoryAccounts& accounts, IClipboard& clipboard, IMessageBox& messages, QWidget* parent = nullptr);

    // Shows the accounts of a profile; none for an empty name.
    void showProfile(const std::string& profile);

private:
    void refill();
    void enableButtons();
    void addAccount();
    void changeAccount();
    void deleteAccount();
    void copyPassword();
    // The directory of the selected row; empty without a selection.
    std::string selectedDirectory() const;
    void reportFailure(const std::optional<std::string>& error);

    DirectoryAccounts& m_accounts;
    IClipboard& m_clipboard;
    IMessageBox& m_messages;
    std::string m_profile;
    QTableWidget* m_table;
    QPushButton* m_reveal;
    QPushButton* m_copy;
    QPushButton* m_add;
    QPushButton* m_change;
    QPushButton* m_delete;
};

} // namespace SendingProfile
