#pragma once

#include "stats/ListingVerifier.h"

#include <QDialog>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class IClock;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace SendingProfile {
class ProfileStore;
}

// Tools -> "Verify Listings…": looks for each directory's listing of the
// profile's site on a worker thread and shows each result as it comes:
// directory, state, listing page, whether the link is followed. Results reach
// the window as queued calls and enter the profile store on its thread; Cancel
// (or closing) stops the worker and waits for it, keeping what was found.
class CVerifyListingsDlg : public QDialog {
    Q_OBJECT

public:
    // The profile's site is looked for on the targets; results are kept in the store.
    CVerifyListingsDlg(SendingProfile::ProfileStore& profiles, std::string profile, ListingVerifier verifier,
        std::vector<ListingTarget> targets, const IClock& clock, QWidget* parent = nullptr);
    ~CVerifyListingsDlg() override;

    // Starts the worker; the window does so itself once it is shown.
    void start();
    bool running() const { return m_worker.joinable() && !m_finished; }
    // How many results were kept in the store.
    std::size_t recorded() const { return m_recorded; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showResult(std::size_t index, const SendingProfile::ListingRecord& record);
    void finish();
    void stop();

    SendingProfile::ProfileStore& m_profiles;
    const std::string m_profile;
    const ListingVerifier m_verifier;
    const std::vector<ListingTarget> m_targets;
    const IClock& m_clock;
    std::atomic<bool> m_cancel { false };
    std::thread m_worker;
    bool m_finished = false;
    std::size_t m_recorded = 0;

    QLabel* m_status;
    QProgressBar* m_progress;
    QTableWidget* m_table;
    QPushButton* m_button;
};
