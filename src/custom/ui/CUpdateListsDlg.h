#pragma once

#include "custom/ListsUpdate.h"
#include "net/AsyncRunner.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

// "Update Lists": asks every followed list's address on a worker thread while
// the window stays painted, with a bar that counts the lists and a button that
// cancels. It ends accepted with the answers once all arrived, rejected when
// cancelled; it changes nothing itself.
class CUpdateListsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Update Lists";

    CUpdateListsDlg(std::vector<FollowedList> lists, QWidget* parent = nullptr);
    ~CUpdateListsDlg() override;

    // The answers, one per list in order, once the dialog was accepted.
    const std::vector<ListFetch>& fetches() const { return m_fetches; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void start();
    void finish(std::vector<ListFetch> fetches);

    const std::vector<FollowedList> m_lists;
    std::vector<ListFetch> m_fetches;
    // Shared with the worker, which may outlive the dialog by one request.
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<std::atomic<int>> m_done;
    AsyncRunner<std::vector<ListFetch>> m_runner;
    QTimer m_progressTimer;
    bool m_started = false;
    bool m_cancelled = false;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_cancelButton;
};
