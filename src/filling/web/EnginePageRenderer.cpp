#include "filling/web/EnginePageRenderer.h"

#include "browser/ui/BrowserProfile.h"
#include "filling/web/WebFormBridge.h"
#include "widgets/QtText.h"

#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <condition_variable>
#include <future>
#include <mutex>

namespace {

// What changes while a page is still being built: its state, its elements and its requests.
constexpr const char* kProgressScript =
    "document.readyState + ':' + document.getElementsByTagName('*').length"
    " + ':' + performance.getEntriesByType('resource').length";
constexpr int kPollMs = 200;

// A page read for the learner: nobody sees it, so it asks nobody anything.
class QuietPage : public QWebEnginePage {
public:
    QuietPage(QWebEngineProfile* profile, int maxNavigations, QObject* parent)
        : QWebEnginePage(profile, parent)
        , m_maxNavigations(maxNavigations)
    {
    }

    bool redirectedTooOften() const { return m_navigations > m_maxNavigations; }

protected:
    void javaScriptAlert(const QUrl&, const QString&) override { }
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override
    {
    }
    bool acceptNavigationRequest(const QUrl&, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || ++m_navigations <= m_maxNavigations;
    }

private:
    int m_maxNavigations;
    int m_navigations = 0;
};

} // namespace

// The pages loading now, shared with the callers waiting on other threads.
struct EnginePageRenderer::Shared {
    std::mutex mutex;
    std::condition_variable freed;
    int loading = 0;
};

struct EnginePageRenderer::Job {
    QString url;
    std::promise<RenderedPage> promise;
    std::atomic<bool> abandoned { false };
    bool answered = false;
};

EnginePageRenderer::EnginePageRenderer(BrowserProfile& browser, QObject* parent)
    : EnginePageRenderer(browser, Bounds {}, parent)
{
}

EnginePageRenderer::EnginePageRenderer(BrowserProfile& browser, Bounds bounds, QObject* parent)
    : QObject(parent)
    , m_browser(browser)
    , m_bounds(bounds)
    , m_shared(std::make_shared<Shared>())
{
}

EnginePageRenderer::~EnginePageRenderer() = default;

EnginePageRenderer& EnginePageRenderer::of(BrowserProfile& browser)
{
    if (auto* existing = browser.findChild<EnginePageRenderer*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new EnginePageRenderer(browser, &browser);
}

RenderedPage EnginePageRenderer::render(const std::string& url, const std::atomic<bool>* cancel)
{
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    // Waiting here for the engine's own thread would wait for ever.
    if (QThread::currentThread() == thread())
        return { false, url, {}, "pages are not loaded in the browser on its own thread" };
    const std::shared_ptr<Shared> shared = m_shared;
    const Bounds bounds = m_bounds;
    {
        std::unique_lock lock(shared->mutex);
        while (shared->loading >= bounds.pagesAtOnce) {
            if (cancelled())
                return { false, url, {}, "cancelled" };
            shared->freed.wait_for(lock, std::chrono::milliseconds(kPollMs));
        }
        ++shared->loading;
    }
    auto job = std::make_shared<Job>();
    job->url = toQString(url);
    std::future<RenderedPage> answer = job->promise.get_future();
    QMetaObject::invokeMethod(
        this, [this, job] { start(job); }, Qt::QueuedConnection);
    RenderedPage page { false, url, {}, "cancelled" };
    // The engine answers within its bounds; a renderer gone meanwhile never does.
    const auto deadline = std::chrono::steady_clock::now() + bounds.settleLimit + std::chrono::seconds(10);
    while (true) {
        if (answer.wait_for(std::chrono::milliseconds(kPollMs)) == std::future_status::ready) {
            page = answer.get();
            break;
        }
        if (cancelled() || std::chrono::steady_clock::now() > deadline) {
            job->abandoned = true;
            if (!cancelled())
                page.failure = "the browser did not answer";
            break;
        }
    }
    {
        std::lock_guard lock(shared->mutex);
        --shared->loading;
    }
    shared->freed.notify_one();
    return page;
}

void EnginePageRenderer::start(const std::shared_ptr<Job>& job)
{
    if (job->abandoned) {
        job->promise.set_value({ false, toStdString(job->url), {}, "cancelled" });
        return;
    }
    auto* page = new QuietPage(m_browser.profile(), m_bounds.maxNavigations, this);
    auto* poll = new QTimer(page);
    auto* limit = new QTimer(page);
    auto progress = std::make_shared<QString>();
    auto unchangedSince = std::make_shared<std::chrono::steady_clock::time_point>();
    const QPointer<QuietPage> alive(page);

    // Answers once, and closes the page: nothing of it stays between pages.
    const auto answer = [job, alive](RenderedPage rendered) {
        if (job->answered)
            return;
        job->answered = true;
        job->promise.set_value(std::move(rendered));
        if (alive)
            alive->deleteLater();
    };
    const auto read = [job, alive, answer] {
        if (!alive || job->answered)
            return;
        if (alive->redirectedTooOften()) {
            answer({ false, toStdString(alive->url().toString()), {},
                "the page's scripts redirect without end" });
            return;
        }
        alive->runJavaScript(WebFormBridge::learningScript(), QWebEngineScript::ApplicationWorld,
            [job, alive, answer](const QVariant& result) {
                const QString description = result.toString();
                const std::string url = alive ? toStdString(alive->url().toString()) : toStdString(job->url);
                if (description.isEmpty())
                    answer({ false, url, {}, "the page could not be described" });
                else
                    answer({ true, url, toStdString(description), {} });
            });
    };

    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, page, read);
    connect(poll, &QTimer::timeout, page, [this, job, alive, read, progress, unchangedSince] {
        if (!alive || job->answered)
            return;
        if (job->abandoned) {
            read();
            return;
        }
        alive->runJavaScript(QString::fromLatin1(kProgressScript), QWebEngineScript::ApplicationWorld,
            [this, read, progress, unchangedSince](const QVariant& result) {
                const QString now = result.toString();
                const auto at = std::chrono::steady_clock::now();
                if (now != *progress || !now.startsWith(QStringLiteral("complete"))) {
                    *progress = now;
                    *unchangedSince = at;
                    return;
                }
                if (at - *unchangedSince >= m_bounds.quiet)
                    read();
            });
    });
    connect(page, &QWebEnginePage::loadFinished, page, [job, alive, answer, poll](bool ok) {
        if (!alive || job->answered)
            return;
        if (!ok && alive->url().isEmpty()) {
            answer({ false, toStdString(job->url), {}, "the page did not load in the browser" });
            return;
        }
        if (!poll->isActive())
            poll->start(kPollMs);
    });
    limit->start(static_cast<int>(m_bounds.settleLimit.count()));
    page->load(QUrl(job->url));
}
