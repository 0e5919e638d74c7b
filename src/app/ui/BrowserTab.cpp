#include "app/ui/BrowserTab.h"

#include "app/TabSlots.h"
#include "app/ui/RefererInterceptor.h"
#include "filling/web/FillingWebPage.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QWebEngineSettings>
#include <QWebEngineView>

BrowserTab::BrowserTab(int slot, TabSlot& state, const PageFiller& filler,
    BrowserTabFiller::ProfileSource profile, QWebEngineProfile* webProfile, RefererInterceptor& referers,
    QObject* parent)
    : QObject(parent)
    , m_slot(slot)
    , m_referers(referers)
    , m_view(new QWebEngineView)
    , m_page(new FillingWebPage(webProfile, m_view))
{
    m_view->setPage(m_page);
    // Script errors and pop-ups stay inside the page.
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    m_filler = std::make_unique<BrowserTabFiller>(m_page, state.fill, filler, std::move(profile));

    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        m_progress = 0;
        emit stateChanged(m_slot);
    });
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        m_progress = progress;
        emit stateChanged(m_slot);
    });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        m_progress = -1;
        emit loadCompleted(m_slot, m_page->url());
        emit stateChanged(m_slot);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this] { emit stateChanged(m_slot); });
    for (const QWebEnginePage::WebAction action : { QWebEnginePage::Back, QWebEnginePage::Forward })
        connect(m_page->action(action), &QAction::changed, this, [this] { emit stateChanged(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::navigationStarted, this,
        [this] { emit navigationStarted(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::submissionJudged, this,
        [this](const SubmissionCheck& check) { emit submissionJudged(m_slot, check); });
    connect(m_filler.get(), &BrowserTabFiller::submissionConfirmed, this,
        [this](const SubmissionOutcome& outcome) { emit submissionConfirmed(m_slot, outcome); });
    connect(m_filler.get(), &BrowserTabFiller::filled, this, [this] { emit filled(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::pageFilled, this,
        [this](const FillCount& count) { emit pageFilled(m_slot, count); });
}

BrowserTab::~BrowserTab()
{
    // The filling lets go of the page before the page goes.
    m_filler.reset();
    delete m_view;
}

void BrowserTab::navigate(const std::string& address)
{
    const QUrl url = QUrl::fromUserInput(toQString(address));
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (const std::optional<std::string> referer = refererFor(address); referer && web)
        m_referers.expect(url, QByteArray::fromStdString(*referer));
    m_page->load(url);
}

bool BrowserTab::canGoBack() const
{
    return m_page->action(QWebEnginePage::Back)->isEnabled();
}

bool BrowserTab::canGoForward() const
{
    return m_page->action(QWebEnginePage::Forward)->isEnabled();
}

QString BrowserTab::location() const
{
    return m_page->url().toString();
}
