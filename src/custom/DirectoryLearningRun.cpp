#include "custom/DirectoryLearningRun.h"

#include <algorithm>
#include <system_error>

std::string learningSummaryText(const LearningSummary& summary)
{
    std::string text = "Learned " + std::to_string(summary.learned) + " of " + std::to_string(summary.total)
        + " directories; " + std::to_string(summary.withoutForm) + " without a submission form";
    if (summary.unreachable > 0)
        text += "; " + std::to_string(summary.unreachable) + " could not be reached";
    return text;
}

DirectoryLearningRun::DirectoryLearningRun(std::vector<ListedDirectory> directories, DirectoryLearner learner,
    IListener* listener, std::size_t workers)
    : m_directories(std::move(directories))
    , m_learner(std::move(learner))
    , m_workerCount(std::max<std::size_t>(1, workers))
    , m_listener(listener)
{
    m_summary.total = m_directories.size();
}

DirectoryLearningRun::~DirectoryLearningRun()
{
    close();
}

bool DirectoryLearningRun::start()
{
    std::lock_guard lock(m_mutex);
    if (m_started)
        return false;
    m_started = true;
    const std::size_t count = std::min(m_workerCount, std::max<std::size_t>(1, m_directories.size()));
    try {
        for (std::size_t worker = 0; worker < count; ++worker) {
            ++m_running;
            m_workers.emplace_back([this] { work(); });
        }
    } catch (const std::system_error&) {
        --m_running;
        if (m_workers.empty())
            return false;
    }
    return true;
}

void DirectoryLearningRun::cancel()
{
    m_cancel = true;
}

void DirectoryLearningRun::close()
{
    cancel();
    {
        std::lock_guard lock(m_listenerMutex);
        m_listener = nullptr;
    }
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        workers.swap(m_workers);
    }
    for (std::thread& worker : workers) {
        if (worker.joinable())
            worker.join();
    }
}

LearningSummary DirectoryLearningRun::summary() const
{
    std::lock_guard lock(m_mutex);
    return m_summary;
}

void DirectoryLearningRun::work()
{
    while (true) {
        std::size_t position = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_cancel || m_next >= m_directories.size())
                break;
            position = m_next++;
        }
        const DirectoryLesson lesson = m_learner.learn(m_directories[position].address, &m_cancel);
        if (lesson.outcome == DirectoryLesson::Outcome::Cancelled)
            break;
        {
            std::lock_guard lock(m_mutex);
            ++m_summary.done;
            m_summary.learned += lesson.outcome == DirectoryLesson::Outcome::Learned;
            m_summary.withoutForm += lesson.outcome == DirectoryLesson::Outcome::NoForm;
            m_summary.unreachable += lesson.outcome == DirectoryLesson::Outcome::Unreachable;
        }
        callListener([&](IListener& listener) { listener.onLesson(position, lesson); });
    }
    LearningSummary summary;
    {
        std::lock_guard lock(m_mutex);
        if (--m_running > 0)
            return;
        summary = m_summary;
    }
    callListener([&](IListener& listener) { listener.onRunEnded(summary); });
}

template <typename Call> void DirectoryLearningRun::callListener(Call call)
{
    std::lock_guard lock(m_listenerMutex);
    if (m_listener)
        call(*m_listener);
}
