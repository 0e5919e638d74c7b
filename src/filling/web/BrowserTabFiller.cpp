#include "filling/web/BrowserTabFiller.h"

#include "filling/TabFillState.h"
#include "filling/web/FillingWebPage.h"
#include "widgets/QtText.h"

namespace {

// How often a watched page is asked whether fields were added.
constexpr int kLateFieldPollMs = 400;

} // namespace

#include <memory>

BrowserTabFiller::BrowserTabFiller(FillingWebPage* page, TabFillState& state, const PageFiller& filler,
    ProfileSource profile, QObject* parent)
    : QObject(parent)
    , m_bridge(page)
    , m_page(page)
    , m_state(state)
    , m_filler(filler)
    , m_profile(std::move(profile))
{
    m_watch.setInterval(kLateFieldPollMs);
    connect(&m_watch, &QTimer::timeout, this, [this] { lookForLateFields(); });
    // The submission is noted before the navigation it starts resets the state.
    connect(page, &FillingWebPage::formSubmitted, this, [this] { m_state.formSubmitted(); });
    connect(page, &FillingWebPage::mainFrameNavigationStarting, this, [this] {
        stopLateFieldWatch();
        m_state.navigationStarted();
        emit navigationStarted();
    });
    // A page that failed to load shows an error document; it is handled all the
    // same, so that a pending submission check is not carried to a later page.
    connect(page, &QWebEnginePage::loadFinished, this, [this] { handleCompletedLoad(); });
}

void BrowserTabFiller::fillPage()
{
    runOnPage(
        [this](FormDocumentModel& page) {
            m_filler.fillPage(page, m_profile(), m_state);
            if (const FieldRecognizer* fields = recognizer())
                m_filler.fillRecognised(page, *fields, m_profile(), m_state);
        },
        false,
        [this](const WebFormRun& run) {
            m_count = { run.fields, run.recognised };
            emit pageFilled(m_count);
        });
}

void BrowserTabFiller::fillCategory()
{
    runOnPage([this](FormDocumentModel& page) { m_filler.fillCategory(page, m_profile(), m_state); });
}

void BrowserTabFiller::fillReciprocalUrl(const std::string& url)
{
    runOnPage([this, url](FormDocumentModel& page) { m_filler.fillReciprocalUrl(page, m_state, url); });
}

void BrowserTabFiller::rereadReciprocalCode(std::function<void(bool found)> read)
{
    auto found = std::make_shared<bool>(false);
    m_bridge.run(
        [this, found](FormDocumentModel& page) { *found = m_filler.readReciprocalCode(page, m_state); },
        [this, found, read = std::move(read)](const WebFormRun& run) {
            emit filled(run);
            if (run.end != WebFormRun::End::Abandoned)
                read(*found);
        });
}

void BrowserTabFiller::handleCompletedLoad()
{
    stopLateFieldWatch();
    const bool submitted = m_state.takeSubmitted();
    const bool fills =
        m_anySite || m_filler.fillsAutomatically(m_state, toStdString(m_page->url().toString()));
    runOnPage(
        [this, submitted, fills](FormDocumentModel& page) {
            if (submitted) {
                if (const std::optional<SubmissionOutcome> outcome =
                        m_filler.checkSubmissionResult(page, m_profile(), m_state))
                    emit submissionConfirmed(*outcome);
            }
            if (!fills)
                return;
            m_filler.fillPage(page, m_profile(), m_state);
            m_filler.fillCategory(page, m_profile(), m_state);
            if (const FieldRecognizer* fields = recognizer())
                m_filler.fillRecognised(page, *fields, m_profile(), m_state);
        },
        submitted,
        [this, fills](const WebFormRun& run) {
            if (!fills || run.end == WebFormRun::End::Abandoned)
                return;
            m_count = { run.fields, run.recognised };
            emit pageFilled(m_count);
            startLateFieldWatch();
        });
}

void BrowserTabFiller::runOnPage(
    WebFormBridge::Work work, bool withSource, std::function<void(const WebFormRun&)> after)
{
    m_bridge.run(
        std::move(work),
        [this, after = std::move(after)](const WebFormRun& run) {
            emit filled(run);
            if (after)
                after(run);
        },
        withSource);
}

const FieldRecognizer* BrowserTabFiller::recognizer() const
{
    return m_recognizer ? m_recognizer() : nullptr;
}

void BrowserTabFiller::startLateFieldWatch()
{
    if (m_watchMs <= 0) {
        emit lateFieldWatchEnded();
        return;
    }
    m_watchAge.start();
    m_watch.start();
}

void BrowserTabFiller::stopLateFieldWatch()
{
    m_watch.stop();
    m_lateRound = false;
}

void BrowserTabFiller::lookForLateFields()
{
    if (m_lateRound)
        return;
    if (m_watchAge.elapsed() >= m_watchMs) {
        stopLateFieldWatch();
        emit lateFieldWatchEnded();
        return;
    }
    m_lateRound = true;
    m_bridge.countLateFields([this](int fresh) {
        if (fresh <= 0 || !m_watch.isActive()) {
            m_lateRound = false;
            return;
        }
        runOnPage(
            [this](FormDocumentModel& page) {
                m_filler.fillLateFields(page, recognizer(), m_profile(), m_state);
            },
            false,
            [this](const WebFormRun& run) {
                m_lateRound = false;
                if (run.end != WebFormRun::End::Applied || run.fields == 0)
                    return;
                m_count.fields += run.fields;
                m_count.recognised += run.recognised;
                emit pageFilled(m_count);
            });
    });
}
