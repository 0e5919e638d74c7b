#include "app/ui/DirectoryRelearning.h"

#include <QMetaObject>
#include <QPointer>

DirectoryRelearning::DirectoryRelearning(IPageRenderer* renderer, Learned learned, QObject* parent)
    : QObject(parent)
    , m_renderer(renderer)
    , m_learned(std::move(learned))
{
}

DirectoryRelearning::~DirectoryRelearning()
{
    if (m_run)
        m_run->close();
}

bool DirectoryRelearning::start(const std::string& name, const std::string& address)
{
    if (m_run)
        return false;
    DiscoveryLimits limits;
    limits.renderer = m_renderer;
    DirectoryLearningRun::IListener* listener = this;
    m_run = std::make_unique<DirectoryLearningRun>(
        std::vector<ListedDirectory> { { name, address } }, DirectoryLearner(limits), listener, 1);
    if (m_run->start())
        return true;
    m_run.reset();
    return false;
}

void DirectoryRelearning::onLesson(std::size_t, const DirectoryLesson& lesson)
{
    const QPointer<DirectoryRelearning> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, lesson] {
            if (!self || !self->m_run)
                return;
            const std::string name = self->m_run->directories().front().name;
            self->m_run->close();
            self->m_run.reset();
            self->m_learned(name, lesson);
        },
        Qt::QueuedConnection);
}

void DirectoryRelearning::onRunEnded(const LearningSummary&)
{
}
