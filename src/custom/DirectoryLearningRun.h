#pragma once

#include "custom/DirectoryLearner.h"
#include "custom/ListedDirectory.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
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
// handed out before stay with whoever took them. Closing never waits for a
// worker: one busy with a page finishes it on its own and stops, and what the
// workers share outlives the run until the last of them has.
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

    // How one directory is learned from its address; it may be called on several
    // workers at once, and should end soon once the flag is set.
    using Learn = std::function<DirectoryLesson(const std::string& address, const std::atomic<bool>* cancel)>;

    // A run over the directories; the listener must stay valid until close.
    DirectoryLearningRun(std::vector<ListedDirectory> directories, DirectoryLearner learner,
        IListener* listener, std::size_t workers = 4);
    DirectoryLearningRun(
        std::vector<ListedDirectory> directories, Learn learn, IListener* listener, std::size_t workers = 4);
    // Closes the run.
    ~DirectoryLearningRun();
    DirectoryLearningRun(const DirectoryLearningRun&) = delete;
    DirectoryLearningRun& operator=(const DirectoryLearningRun&) = delete;

    // Starts the workers, once; false when no thread could be started.
    bool start();
    // Asks the run to end soon; lessons already handed out stay.
    void cancel();
    // Cancels and calls the listener no more; waits only for a listener call
    // under way, never for a worker.
    void close();

    const std::vector<ListedDirectory>& directories() const;
    LearningSummary summary() const;

private:
    struct Shared;

    static void work(Shared& shared);

    const std::shared_ptr<Shared> m_shared;
};
