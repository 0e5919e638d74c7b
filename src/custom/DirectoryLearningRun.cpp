#include "custom/DirectoryLearningRun.h"

#include <algorithm>
#include <system_error>
#include <thread>

std::string learningSummaryText(const LearningSummary& summary)
{
    std::string text = "Learned " + std::to_string(summary.learned) + " of " + std::to_string(summary.total)
        + " directories; " + std::to_string(summary.withoutForm) + " without a submission form";
    if (summary.unreachable > 0)
        text += "; " + std::to_string(summary.unreachable) + " could not be reached";
    return text;
}

// What the run and its workers share; each worker holds it until it stops.
struct DirectoryLearningRun::Shared {
    Shared(std::vector<ListedDirectory> list, Learn learnOne, IListener* runListener, std::size_t workers)
        : directories(std::move(list))
        , learn(std::move(learnOne))
        , workerCount(std::max<std::size_t>(1, workers))
        , listener(runListener)
    {
        summary.total = directories.size();
    }

    template <typename Call> void callListener(Call call)
    {
        std::lock_guard lock(listenerMutex);
        if (listener)
            call(*listener);
    }

    const std::vector<ListedDirectory> directories;
    const Learn learn;
    const std::size_t workerCount;
    std::atomic<bool> cancel { false };

    std::mutex listenerMutex;
    IListener* listener;

    mutable std::mutex mutex;
    std::size_t next = 0;
    std::size_t running = 0;
    LearningSummary summary;
    bool started = false;
};

DirectoryLearningRun::DirectoryLearningRun(std::vector<ListedDirectory> directories, DirectoryLearner learner,
    IListener* listener, std::size_t workers)
    : DirectoryLearningRun(
        std::move(directories),
        [learner = std::move(learner)](const std::string& address, const std::atomic<bool>* cancel) {
            return learner.learn(address, cancel);
        },
        listener, workers)
{
}

DirectoryLearningRun::DirectoryLearningRun(
    std::vector<ListedDirectory> directories, Learn learn, IListener* listener, std::size_t workers)
    : m_shared(std::make_shared<Shared>(std::move(directories), std::move(learn), listener, workers))
{
}

DirectoryLearningRun::~DirectoryLearningRun()
{
    close();
}

bool DirectoryLearningRun::start()
{
    std::lock_guard lock(m_shared->mutex);
    if (m_shared->started)
        return false;
    m_shared->started = true;
    const std::size_t count =
        std::min(m_shared->workerCount, std::max<std::size_t>(1, m_shared->directories.size()));
    for (std::size_t worker = 0; worker < count; ++worker) {
        try {
            // Under the lock, so that no worker ends the run before all are counted.
            ++m_shared->running;
            std::thread([shared = m_shared] { work(*shared); }).detach();
        } catch (const std::system_error&) {
            --m_shared->running;
            break;
        }
    }
    return m_shared->running > 0;
}

void DirectoryLearningRun::cancel()
{
    m_shared->cancel = true;
}

void DirectoryLearningRun::close()
{
    cancel();
    std::lock_guard lock(m_shared->listenerMutex);
    m_shared->listener = nullptr;
}

const std::vector<ListedDirectory>& DirectoryLearningRun::directories() const
{
    return m_shared->directories;
}

LearningSummary DirectoryLearningRun::summary() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->summary;
}

void DirectoryLearningRun::work(Shared& shared)
{
    while (true) {
        std::size_t position = 0;
        {
            std::lock_guard lock(shared.mutex);
            if (shared.cancel || shared.next >= shared.directories.size())
                break;
            position = shared.next++;
        }
        const DirectoryLesson lesson = shared.learn(shared.directories[position].address, &shared.cancel);
        if (lesson.outcome == DirectoryLesson::Outcome::Cancelled)
            break;
        {
            std::lock_guard lock(shared.mutex);
            ++shared.summary.done;
            shared.summary.learned += lesson.outcome == DirectoryLesson::Outcome::Learned;
            shared.summary.withoutForm += lesson.outcome == DirectoryLesson::Outcome::NoForm;
            shared.summary.unreachable += lesson.outcome == DirectoryLesson::Outcome::Unreachable;
        }
        shared.callListener([&](IListener& listener) { listener.onLesson(position, lesson); });
    }
    LearningSummary summary;
    {
        std::lock_guard lock(shared.mutex);
        if (--shared.running > 0)
            return;
        summary = shared.summary;
    }
    shared.callListener([&](IListener& listener) { listener.onRunEnded(summary); });
}
