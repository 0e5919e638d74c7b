#pragma once

#include "stats/SnapshotRun.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Records what a snapshot run shows, in order; safe to read while a run goes on.
class RecordingSnapshotHost : public SnapshotRun::IHost {
public:
    void onStatus(const std::string& status) override { record(m_statuses, status); }
    void onProgress(const std::string& progress) override { record(m_progress, progress); }
    void onApprovalFound(const SnapshotRun::Approval& approval) override { record(m_approvals, approval); }
    void onFinished(const std::string& report) override { record(m_reports, report); }

    // The reports so far, after waiting up to 30 s for the first.
    std::vector<std::string> waitForReport()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(30), [this] { return !m_reports.empty(); });
        return m_reports;
    }

    std::vector<std::string> statuses() const { return copy(m_statuses); }
    std::vector<std::string> progress() const { return copy(m_progress); }
    std::vector<SnapshotRun::Approval> approvals() const { return copy(m_approvals); }
    std::vector<std::string> reports() const { return copy(m_reports); }

private:
    template <typename T> void record(std::vector<T>& list, const T& value)
    {
        std::lock_guard lock(m_mutex);
        list.push_back(value);
        m_changed.notify_all();
    }

    template <typename T> std::vector<T> copy(const std::vector<T>& list) const
    {
        std::lock_guard lock(m_mutex);
        return list;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_statuses;
    std::vector<std::string> m_progress;
    std::vector<SnapshotRun::Approval> m_approvals;
    std::vector<std::string> m_reports;
};

// Waits until every thread has let go of a run (up to 30 s); true when it has.
template <typename T> bool waitUntilReleased(const std::weak_ptr<T>& watch)
{
    for (int i = 0; i < 30000 && !watch.expired(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return watch.expired();
}
