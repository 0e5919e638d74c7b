#pragma once

#include "common/HostConfiguration.h"
#include "custom/CustomDirListModel.h"
#include "custom/ui/CImportDirectoriesDlg.h"

#include <QDialog>

#include <string>

class BrowserProfile;
class DataFolder;
class DirectoryStore;
class IMessageBox;
class QListWidget;
class QPushButton;

// The custom directory list manager: lists the directories the user added and
// adds, edits and removes them through the directory wizard, or imports many
// from a file. Every change goes to both stores at once and the custom
// database is saved after it.
class CCustomDirListManager : public QDialog {
    Q_OBJECT

public:
    // Over the main window's two stores; "customdirdata.xml" of the data folder
    // is saved after each change. The hosts give the PageRank query host; the
    // wizard's browser uses the program's browser profile when one is given.
    CCustomDirListManager(DirectoryStore& main, DirectoryStore& custom, const DataFolder& folder,
        HostConfiguration hosts, IMessageBox& messages, BrowserProfile* browser = nullptr,
        QWidget* parent = nullptr);

    // Where the bulk import keeps the states its learning finds.
    void setStateKeeper(CImportDirectoriesDlg::StateKeeper keeper) { m_keepState = std::move(keeper); }

    // Runs the wizard on one custom directory, as the manager's "Edit..." does,
    // without showing the manager ("Edit Directory" of the main window's list).
    // True when the directory was changed.
    bool editDirectory(const std::string& name);

    const CustomDirListModel& model() const { return m_model; }

private:
    CImportDirectoriesDlg::StateKeeper m_keepState;
    void addDirectories();
    void editSelected();
    void removeSelected();
    void importDirectories();
    std::optional<DirectoryWizardModel> runWizard(DirectoryWizardModel model);
    void refill(const std::string& selected);
    void enableButtons();
    std::string selectedName() const;

    CustomDirListModel m_model;
    DirectoryStore& m_mainStore;
    DirectoryStore& m_customStore;
    const HostConfiguration m_hosts;
    IMessageBox& m_messages;
    BrowserProfile* m_browser;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_remove;
    QPushButton* m_import;
    QPushButton* m_close;
};
