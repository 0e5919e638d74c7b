#pragma once

#include "checker/CDirectoryBackend.h"
#include "checker/CheckResults.h"
#include "checker/CheckRun.h"
#include "checker/ReviewSave.h"
#include "net/HostConfiguration.h"

#include <QDialog>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class IMessageBox;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The list checker's main window: loads a directory database, checks every
// directory's PageRank and submission page on a worker, logs the results, and
// saves the reviewed changes. The worker's calls reach the window only as
// queued calls; closing the window detaches the run first, so nothing reaches a
// window that is gone. Enter and Escape never close it.
class CTessalyDlg : public QDialog, private CheckRun::IObserver, private IReviewHost {
    Q_OBJECT

public:
    // Chooses a database to load; an empty text when the user cancels.
    using OpenChooser = std::function<QString(QWidget* parent)>;
    // Chooses where to save, offering a file; an empty text when the user cancels.
    using SaveChooser = std::function<QString(QWidget* parent, const QString& offered)>;
    // Shows the review: the user's choice, or nothing when cancelled.
    using ReviewRunner = std::function<std::optional<ReviewSelection>(
        const CheckResults&, bool openedFromCommandLine, QWidget*)>;

    // What the window waits for and asks the user besides its own controls. Each
    // left empty is the real one; tests answer them without modal loops.
    struct Seams {
        // The pause after each PageRank query; the PageRank service's own when empty.
        std::optional<std::chrono::milliseconds> pause;
        // The system's open dialog for databases when empty.
        OpenChooser chooseOpen;
        // The system's save dialog when empty.
        SaveChooser chooseSave;
        // The modal review window when empty.
        ReviewRunner runReview;
    };

    CTessalyDlg(HostConfiguration hosts, IMessageBox& messages, Seams seams = {}, QWidget* parent = nullptr);
    ~CTessalyDlg() override;

    // Loads a database, shows its size and name, and drops earlier results.
    bool LoadDatabase(const std::filesystem::path& file);
    // Loads the file the command line names; once it is loaded, saving goes back
    // to it without asking and "Load..." is disabled.
    bool OpenFromCommandLine(const std::filesystem::path& file);

    // Whether a run's worker may still be busy (it is detached when the window closes).
    bool IsRunBusy() const;
    bool HasUnsavedChanges() const { return m_unsaved; }
    const CheckResults& Results() const { return m_results; }

    // The system-menu entry of the original: the about box.
    void showAbout();

public slots:
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseAndLoad();
    void start();
    void stop();
    void reviewAndSave();
    void finishRun();
    void setRunning(bool running);
    void appendLog(const QString& text);
    bool mayClose();
    void closeRun();

    // Called on the worker thread: each only queues the work for this window.
    void OnLogLine(const std::u16string& line) override;
    void OnProgress(int checked) override;
    void OnFinished() override;
    template <typename Work> void post(Work work);

    std::optional<ReviewSelection> ShowReview(
        const CheckResults& results, bool openedFromCommandLine) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const std::filesystem::path& offered) override;

    const HostConfiguration m_hosts;
    IMessageBox& m_messages;
    std::chrono::milliseconds m_pause;
    OpenChooser m_chooseOpen;
    SaveChooser m_chooseSave;
    ReviewRunner m_runReview;

    CDirectoryBackend m_backend;
    std::shared_ptr<CheckRun> m_run;
    CheckResults m_results;
    std::optional<std::filesystem::path> m_commandLineFile;
    bool m_unsaved = false;
    bool m_closing = false;

    QPushButton* m_load;
    QPushButton* m_review;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_close;
    QCheckBox* m_updatePageRank;
    QCheckBox* m_checkBroken;
    QPlainTextEdit* m_log;
    QLabel* m_loadStatus;
    QLabel* m_saveStatus;
    QLabel* m_progressLabel;
    QProgressBar* m_progress;
};
