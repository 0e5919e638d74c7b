#pragma once

#include "filling/IPageRenderer.h"

#include <QObject>

#include <chrono>
#include <memory>

class BrowserProfile;

// Loads pages for the learner in the browser engine, on the browser profile
// the window uses, so that a directory the user signed in to is seen signed in.
// A page is read once it settles (its document complete and its elements and
// requests unchanged for a moment) or when its time is up, with the same page
// description the filling reads; its alerts are answered at once, the windows
// it opens refused, endless redirects by script cut short, and the engine's
// page closed after each read. Lives on the thread of the engine; render is
// called on other threads, at most two pages load at once.
class EnginePageRenderer : public QObject, public IPageRenderer {
    Q_OBJECT

public:
    struct Bounds {
        std::chrono::milliseconds settleLimit { 20000 }; // a page is read by then, settled or not
        std::chrono::milliseconds quiet { 600 }; // how long nothing may change
        int maxNavigations = 10; // redirects by script on one load
        int pagesAtOnce = 2;
    };

    explicit EnginePageRenderer(BrowserProfile& browser, QObject* parent = nullptr);
    EnginePageRenderer(BrowserProfile& browser, Bounds bounds, QObject* parent = nullptr);
    ~EnginePageRenderer() override;

    // The renderer of the window's browser profile, made on first use. The
    // profile owns it, so that it outlives a learner's worker still reading a
    // page when the window that started it closes.
    static EnginePageRenderer& of(BrowserProfile& browser);

    RenderedPage render(const std::string& url, const std::atomic<bool>* cancel) override;

private:
    struct Shared;
    struct Job;

    void start(const std::shared_ptr<Job>& job);

    BrowserProfile& m_browser;
    Bounds m_bounds;
    std::shared_ptr<Shared> m_shared;
};
