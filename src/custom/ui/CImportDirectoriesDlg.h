#pragma once

#include "common/HostConfiguration.h"
#include "custom/DirectoryImport.h"
#include "custom/DirectoryLearningRun.h"
#include "custom/DirectoryListFile.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class DirectoryStore;
class IMessageBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The bulk import of directories from a list file (CSV, TSV, JSON or plain
// lines): the file, whose reading is shown as soon as it is chosen (the shape,
// the columns found, the rows, those skipped and why) before anything is
// stored, the categories the new directories get, then the import, whose PageRank checks
// run on a worker thread. The checker's reports reach the window only as queued
// calls, and the new directories enter the stores on the window's thread;
// closing the window ends the import first (what was not checked yet is added
// without PageRank), so nothing is delivered to a window that is gone. When
// asked, each new directory's submission page is then found and its form
// learned on worker threads; each lesson enters the stores on the window's
// thread, and cancelling keeps what was learned.
class CImportDirectoriesDlg : public QDialog,
                              private DirectoryImport::IListener,
                              private DirectoryLearningRun::IListener {
    Q_OBJECT

public:
    // Chooses the list file; an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    // Imports into both stores, against the known directories (name to address);
    // the known categories are offered for choosing. "Browse..." asks chooseFile,
    // or the system's open dialog (chooseListFile) when it is empty.
    CImportDirectoriesDlg(DirectoryStore& custom, DirectoryStore& main, std::set<std::string> knownCategories,
        std::map<std::string, std::string> knownDirectories, HostConfiguration hosts, IMessageBox& messages,
        FileChooser chooseFile = {}, QWidget* parent = nullptr);
    ~CImportDirectoriesDlg() override;

    // The system's open dialog for directory lists.
    static QString chooseListFile(QWidget* parent);

    // How many directories the import added (0 before it ran).
    std::size_t added() const;
    // How the learning of the new directories' forms went (all 0 when it did not run).
    LearningSummary learned() const;
    // The bounds of each directory's search, for the learning to come.
    void setLearningLimits(DiscoveryLimits limits) { m_learningLimits = limits; }
    // Where pages built by script are loaded; without one the learning reads fetched pages only.
    void setRenderer(IPageRenderer* renderer) { m_learningLimits.renderer = renderer; }
    // Keeps what learning found of a directory (needs account, paid only, no
    // form) as its state in the work-through table.
    using StateKeeper = std::function<void(
        const std::string& name, const std::string& url, const SendingProfile::DirectoryStatus& status)>;
    void setStateKeeper(StateKeeper keeper) { m_keepState = std::move(keeper); }

public slots:
    void done(int result) override;
    // Escape and the close box skip the PageRank checks while they run, as the
    // cancel button does then; otherwise they close.
    void reject() override;

private:
    enum class State {
        Idle, // nothing imported yet
        Checking, // the new directories are being checked and added
        Learning, // every directory is in; their forms are being learned
        Done, // every directory is in; only closing is left
    };

    void browse();
    void readChosenFile();
    void startImport();
    void cancelPressed();
    void finish(const QString& status);
    void addCategory();
    void removeCategory();
    void showCategories(int selected);
    void closeImport();
    void importDone(std::size_t count);
    void startLearning();
    void applyLesson(std::size_t position, const DirectoryLesson& lesson);

    // Called on the checker's thread: each only queues the work for this window.
    void onDirectoryChecked() override;
    void onAllChecked(std::size_t count) override;
    void onLesson(std::size_t position, const DirectoryLesson& lesson) override;
    void onRunEnded(const LearningSummary& summary) override;
    template <typename Work> void post(Work work);

    DirectoryStore& m_customStore;
    DirectoryStore& m_mainStore;
    const std::map<std::string, std::string> m_known;
    const HostConfiguration m_hosts;
    IMessageBox& m_messages;
    FileChooser m_chooseFile;
    std::vector<std::string> m_selected;
    std::shared_ptr<DirectoryImport> m_run;
    std::vector<ListedDirectory> m_found; // the new directories, for learning their forms
    std::unique_ptr<DirectoryLearningRun> m_learning;
    DiscoveryLimits m_learningLimits;
    StateKeeper m_keepState;
    std::size_t m_lessons = 0;
    State m_state = State::Idle;
    bool m_closing = false;
    // Made on the window's thread; the checker's thread only copies it.
    const QPointer<CImportDirectoriesDlg> m_self;

    QLineEdit* m_file;
    QPushButton* m_browse;
    QComboBox* m_categoryBox;
    QPushButton* m_addCategory;
    QPushButton* m_removeCategory;
    QListWidget* m_categories;
    // The file as read for the preview, and the name it was read under.
    std::optional<DirectoryListRead> m_read;
    QString m_readName;

    QCheckBox* m_learn;
    QPlainTextEdit* m_preview;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_import;
    QPushButton* m_cancel;
};
