#pragma once

#include <atomic>
#include <string>

// A page as a browser engine showed it once its scripts had run.
struct RenderedPage {
    bool ok = false; // the page loaded and described itself
    std::string url; // where the page ended up, redirects by server or script followed
    std::string description; // the page's description (see readRenderedPage)
    std::string failure; // why it is not ok, for a person to read
};

// Loads pages in a browser engine for the learner, whose fetched pages may hold
// nothing but a script. The engine runs on its own thread; render is called on
// the learner's workers and waits there. A build without windows has none.
class IPageRenderer {
public:
    virtual ~IPageRenderer() = default;

    // Loads the page, waits for it to settle (bounded) and describes it; ends
    // soon once `cancel` is set.
    virtual RenderedPage render(const std::string& url, const std::atomic<bool>* cancel) = 0;
};
