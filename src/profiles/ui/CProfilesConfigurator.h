#pragma once

#include "profiles/ProfileManagerModel.h"

#include <QDialog>

class IClipboard;
class IMessageBox;
class IWaitDialog;
class QListWidget;
class QPushButton;

namespace SendingProfile {

class AccountsPanel;
class DirectoryAccounts;
class ProfileStore;

// The profile manager: lists the stored profiles and adds, edits and removes
// them through the profile wizard. It changes the store, never the file.
class CProfilesConfigurator : public QDialog {
    Q_OBJECT

public:
    // The wait dialog runs the wizard's test of the reciprocal script.
    CProfilesConfigurator(
        ProfileStore& store, IMessageBox& messages, IWaitDialog& wait, QWidget* parent = nullptr);

    // Lists the selected profile's accounts at directories below the profiles.
    void showAccounts(DirectoryAccounts& accounts, IClipboard& clipboard);

private:
    void addProfile();
    void editProfile();
    void removeProfile();
    void runWizard(ProfileWizardModel model);
    void refill(int selected);
    void enableButtons();

    ProfileManagerModel m_model;
    IMessageBox& m_messages;
    IWaitDialog& m_wait;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_remove;
    QPushButton* m_close;
    AccountsPanel* m_accounts = nullptr;
};

} // namespace SendingProfile
