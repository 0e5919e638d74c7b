#pragma once

#include "custom/DirectoryLearner.h"
#include "custom/ListedDirectory.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// How a learning run went so far.
struct LearningSummary {
    std::size_t total = 0; // directories in the run
    std::size_t done = 0; // directories whose lesson came, whatever it was
    std::size_t learned = 0; // with a submission page and items
    std::size_t withoutForm = 0; // the site answered, without a submission form
    std::size_t unreachable = 0; // no web page answered

    bool operator==(const LearningSummary&) const = default;
};

// "Learned N of M directories; K without a submission form", and how many could
// not be reached when some could not.
std::string learningSummaryText(const LearningSummary& summary);

// Learns a list of directories on worker threads of its own, a few directories
// at a time (requests to one host still go one at a time). Each lesson is handed
// to the listener on the worker that learned it, in the order they finish.
// Cancelling ends the run soon (requests under way are cut short); the lessons
// handed out before stay with whoever took them.
class DirectoryLearningRun {
public:
    // Whoever shows the run. Called on the workers, never after close has
    // returned; implementations hand the calls on to their own thread.
    class IListener {
    public:
        virtual ~IListener() = default;

        // The directory at `position` of the list was learned (or not: see the outcome).
        virtual void onLesson(std::size_t position, const DirectoryLesson& lesson) = 0;
        // Every directory is done, or the run was cancelled and its workers stopped.
        virtual void onRunEnded(const LearningSummary& summary) = 0;
    };

    // A run over the directories; the listener must stay valid until close.
    DirectoryLearningRun(std::vector<ListedDirectory> directories, DirectoryLearner learner,
        IListener* listener, std::size_t workers = 4);
    // Closes the run.
    ~DirectoryLearningRun();
    DirectoryLearningRun(const DirectoryLearningRun&) = delete;
    DirectoryLearningRun& operator=(const DirectoryLearningRun&) = delete;

    // Starts the workers, once; false when no thread could be started.
    bool start();
    // Asks the run to end soon; lessons already handed out stay.
    void cancel();
    // Cancels, waits for the workers and calls the listener no more.
    void close();

    const std::vector<ListedDirectory>& directories() const { return m_directories; }
    LearningSummary summary() const;

private:
    void work();
    template <typename Call> void callListener(Call call);

    const std::vector<ListedDirectory> m_directories;
    const DirectoryLearner m_learner;
    const std::size_t m_workerCount;
    std::atomic<bool> m_cancel { false };

    std::mutex m_listenerMutex;
    IListener* m_listener;

    mutable std::mutex m_mutex;
    std::size_t m_next = 0;
    std::size_t m_running = 0;
    LearningSummary m_summary;
    bool m_started = false;
    std::vector<std::thread> m_workers;
};
