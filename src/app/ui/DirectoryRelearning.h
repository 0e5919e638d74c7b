#pragma once

#include "custom/DirectoryLearningRun.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class IPageRenderer;

// Learns one directory of the list again, in the background, with the
// browser's session (so that a directory the user has signed in to since is
// learned signed in); the lesson comes back on the window's thread.
class DirectoryRelearning : public QObject, private DirectoryLearningRun::IListener {
    Q_OBJECT

public:
    using Learned = std::function<void(const std::string& name, const DirectoryLesson& lesson)>;

    DirectoryRelearning(IPageRenderer* renderer, Learned learned, QObject* parent = nullptr);
    ~DirectoryRelearning() override;

    // Starts learning the directory from the address; false when one is being learned still.
    bool start(const std::string& name, const std::string& address);
    bool busy() const { return m_run != nullptr; }

private:
    void onLesson(std::size_t position, const DirectoryLesson& lesson) override;
    void onRunEnded(const LearningSummary& summary) override;

    IPageRenderer* m_renderer;
    Learned m_learned;
    std::unique_ptr<DirectoryLearningRun> m_run;
};
