#pragma once

#include "common/HostConfiguration.h"
#include "profiles/SiteProfile.h"
#include "stats/SnapshotRun.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>

class DirectoryStore;
class IClock;
class IMessageBox;
class ISleeper;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace SendingProfile {
class ProfileStore;
}

// Takes a snapshot of the active profile's site: the options, a status and a
// progress line, and Start, Save and Close. The run's results come from worker
// threads and reach the window only as queued calls; closing the window closes
// the run first, so nothing is delivered to a window that is gone. Approvals
// found are recorded in the profile store here, on the window's thread.
class CNewSnapshotDlg : public QDialog, private SnapshotRun::IHost {
    Q_OBJECT

public:
    // Chooses the file a report is saved to; an empty text when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent)>;

    // What the snapshot waits on, dates by and asks the user besides the window's
    // own controls. Each left empty is the real one; tests give their fakes.
    struct Seams {
        // The pauses between search pages; the system's sleep when null.
        std::shared_ptr<ISleeper> sleeper;
        // "Today"; the system clock when null.
        std::shared_ptr<const IClock> clock;
        // The save dialog of reports; chooseReportFile when empty.
        FileChooser chooseFile;
    };

    CNewSnapshotDlg(const SendingProfile::SiteProfile& profile, SendingProfile::ProfileStore& profiles,
        const DirectoryStore& directories, HostConfiguration hosts, IMessageBox& messages, Seams seams = {},
        QWidget* parent = nullptr);
    ~CNewSnapshotDlg() override;

    // The system's save dialog for reports: HTML files, ".html" added, overwriting asked.
    static QString chooseReportFile(QWidget* parent);

    // The traffic rank comes from this Tranco list, downloaded when the
    // snapshot starts if it is missing or old; its age shows in the window.
    void setTrafficList(std::filesystem::path file);

    // Whether the snapshot included approvals, so the caller reloads its directory list.
    bool approvalIncluded() const;
    // The run once started, for whoever needs to know when its threads are done.
    std::shared_ptr<SnapshotRun> run() const { return m_run; }

public slots:
    void done(int result) override;

private:
    // The Tranco list's age in the window, and whether it is downloaded first.
    void showTrafficListAge();
    void start();
    void saveReport();
    void updateApprovalOptions();
    void closeRun();

    // Called on the run's threads: each only queues the work for this window.
    void onStatus(const std::string& status) override;
    void onProgress(const std::string& progress) override;
    void onApprovalFound(const SnapshotRun::Approval& approval) override;
    void onFinished(const std::string& report) override;
    template <typename Work> void post(Work work);

    const SendingProfile::SiteProfile m_profile;
    SendingProfile::ProfileStore& m_profiles;
    const DirectoryStore& m_directories;
    const HostConfiguration m_hosts;
    IMessageBox& m_messages;
    std::shared_ptr<ISleeper> m_sleeper;
    std::shared_ptr<const IClock> m_clock;
    FileChooser m_chooseFile;
    std::shared_ptr<SnapshotRun> m_run;
    bool m_closing = false;
    std::filesystem::path m_trafficList;

    QCheckBox* m_general;
    QCheckBox* m_serp;
    QCheckBox* m_approval;
    QCheckBox* m_entire;
    QSpinBox* m_resume;
    QLabel* m_trafficAge;
    QLabel* m_status;
    QLabel* m_progress;
    QPushButton* m_save;
    QPushButton* m_start;
    QPushButton* m_close;
};
