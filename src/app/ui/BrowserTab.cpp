#include "app/ui/BrowserTab.h"

#include "app/TabSlots.h"
#include "app/ui/RefererInterceptor.h"
#include "browser/ZoomLevels.h"
#include "browser/ui/BrowserProfile.h"
#include "browser/ui/PageNotice.h"
#include "filling/web/FillingWebPage.h"
#include "profiles/SiteProfile.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QStackedWidget>
#include <QWebEngineView>

#include <cmath>

namespace {

constexpr const char* kCertificateTitle = "This site's certificate is not valid";
constexpr const char* kCertificateText =
    "%1 answered with a certificate that cannot be trusted: %2\n\nSomeone may be trying to read or change "
    "what you send to this site.";
constexpr const char* kMayProceed =
    "Go on only if you know why this happens. Vantelo then trusts this certificate until it closes.";
constexpr const char* kMayNotProceed = "This problem cannot be bypassed.";
constexpr const char* kStoppedTitle = "This page stopped working";
constexpr const char* kStoppedText = "The page %1 %2. The other tabs are not affected.";
constexpr const char* kCrashed = "crashed";
constexpr const char* kKilled = "was ended by the system";
constexpr const char* kEnded = "ended unexpectedly";
// A zoom this close to the wanted one needs no change (the page rounds it).
constexpr double kSameZoom = 0.001;

QString stoppedHow(QWebEnginePage::RenderProcessTerminationStatus status)
{
    switch (status) {
    case QWebEnginePage::CrashedTerminationStatus:
        return QString::fromLatin1(kCrashed);
    case QWebEnginePage::KilledTerminationStatus:
        return QString::fromLatin1(kKilled);
    default:
        return QString::fromLatin1(kEnded);
    }
}

} // namespace

BrowserTab::BrowserTab(int slot, TabSlot& state, const PageFiller& filler,
    BrowserTabFiller::ProfileSource profile, BrowserProfile& browser, RefererInterceptor& referers,
    QObject* parent)
    : QObject(parent)
    , m_slot(slot)
    , m_browser(browser)
    , m_referers(referers)
    , m_widget(new QStackedWidget)
    , m_view(new QWebEngineView)
    , m_page(new FillingWebPage(browser, m_view))
    , m_notice(new PageNotice)
{
    m_view->setPage(m_page);
    m_widget->addWidget(m_view);
    m_widget->addWidget(m_notice);
    m_page->setUrlRequestInterceptor(&m_referers);
    m_page->setSignInUserName([profile] { return profile().username; });
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
        applySiteZoom();
        emit loadCompleted(m_slot, m_page->url());
        emit stateChanged(m_slot);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this] {
        applySiteZoom();
        emit stateChanged(m_slot);
    });
    for (const QWebEnginePage::WebAction action : { QWebEnginePage::Back, QWebEnginePage::Forward })
        connect(m_page->action(action), &QAction::changed, this, [this] { emit stateChanged(m_slot); });
    // A new navigation leaves whatever the panel said about the last one.
    connect(m_page, &FillingWebPage::mainFrameNavigationStarting, this, [this] {
        if (m_certificate)
            answerCertificate(false);
        showPage();
    });
    connect(m_page, &QWebEnginePage::certificateError, this, &BrowserTab::showCertificateProblem);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status) { showStoppedPage(status); });
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] { emit closeRequested(m_slot); });
    connect(m_page, &BrowserPage::windowRefused, this, [this] { emit windowRefused(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::navigationStarted, this,
        [this] { emit navigationStarted(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::submissionJudged, this,
        [this](const SubmissionCheck& check) { emit submissionJudged(m_slot, check); });
    connect(m_filler.get(), &BrowserTabFiller::submissionConfirmed, this,
        [this](const SubmissionOutcome& outcome) { emit submissionConfirmed(m_slot, outcome); });
    connect(m_filler.get(), &BrowserTabFiller::filled, this, [this] { emit filled(m_slot); });
    connect(m_filler.get(), &BrowserTabFiller::pageFilled, this,
        [this](const FillCount& count) { emit pageFilled(m_slot, count); });

    m_notice->setObjectName("pageNotice");
}

BrowserTab::~BrowserTab()
{
    if (m_certificate)
        m_certificate->rejectCertificate();
    // The filling lets go of the page before the page goes.
    m_filler.reset();
    delete m_widget;
}

bool BrowserTab::showsNotice() const
{
    return m_widget && m_widget->currentWidget() == m_notice;
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

double BrowserTab::zoom(Zoom step)
{
    const double now = m_page->zoomFactor();
    const double factor = step == Zoom::In ? zoomedIn(now)
        : step == Zoom::Out                ? zoomedOut(now)
                                           : kDefaultZoom;
    m_page->setZoomFactor(factor);
    const QString host = m_page->url().host();
    if (!host.isEmpty())
        m_browser.zoom().setFactor(toStdString(host), factor);
    return factor;
}

void BrowserTab::showPage()
{
    m_widget->setCurrentWidget(m_view);
}

void BrowserTab::showCertificateProblem(const QWebEngineCertificateError& error)
{
    // Another problem while one waits (a redirect): the first is refused.
    if (m_certificate)
        answerCertificate(false);
    m_certificate = error;
    m_certificate->defer();
    const QString host = error.url().host();
    QString text = QString::fromLatin1(kCertificateText).arg(host, error.description());
    text +=
        QStringLiteral("\n\n") + QString::fromLatin1(error.isOverridable() ? kMayProceed : kMayNotProceed);
    std::vector<PageNotice::Choice> choices { { QStringLiteral("Go back"), QStringLiteral("goBackButton"),
        [this] {
            answerCertificate(false);
            if (canGoBack())
                m_page->triggerAction(QWebEnginePage::Back);
        } } };
    if (error.isOverridable())
        choices.push_back({ QStringLiteral("Proceed anyway"), QStringLiteral("proceedButton"),
            [this] { answerCertificate(true); } });
    m_notice->present(QString::fromLatin1(kCertificateTitle), text, choices);
    m_widget->setCurrentWidget(m_notice);
}

void BrowserTab::answerCertificate(bool accept)
{
    std::optional<QWebEngineCertificateError> error = std::move(m_certificate);
    m_certificate.reset();
    showPage();
    if (!error)
        return;
    if (accept)
        error->acceptCertificate();
    else
        error->rejectCertificate();
}

void BrowserTab::showStoppedPage(QWebEnginePage::RenderProcessTerminationStatus status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    const QString address = m_page->url().toString();
    m_notice->present(QString::fromLatin1(kStoppedTitle),
        QString::fromLatin1(kStoppedText)
            .arg(address.isEmpty() ? QStringLiteral("shown") : address, stoppedHow(status)),
        { { QStringLiteral("Reload"), QStringLiteral("reloadButton"), [this] {
               showPage();
               m_page->triggerAction(QWebEnginePage::Reload);
           } } });
    m_widget->setCurrentWidget(m_notice);
    m_progress = -1;
    emit stateChanged(m_slot);
}

void BrowserTab::applySiteZoom()
{
    const QString host = m_page->url().host();
    const double factor = host.isEmpty() ? kDefaultZoom : m_browser.zoom().factor(toStdString(host));
    if (std::abs(m_page->zoomFactor() - factor) > kSameZoom)
        m_page->setZoomFactor(factor);
}
