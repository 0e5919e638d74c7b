#include "filling/web/BrowserTabFiller.h"

#include "filling/TabFillState.h"
#include "filling/web/FillingWebPage.h"

#include <memory>

BrowserTabFiller::BrowserTabFiller(FillingWebPage* page, TabFillState& state, const PageFiller& filler,
    ProfileSource profile, QObject* parent)
    : QObject(parent)
    , m_bridge(page)
    , m_state(state)
    , m_filler(filler)
    , m_profile(std::move(profile))
{
    // The submission is noted before the navigation it starts resets the state.
    connect(page, &FillingWebPage::formSubmitted, this, [this] { m_state.formSubmitted(); });
    connect(page, &FillingWebPage::mainFrameNavigationStarting, this, [this] {
        m_state.navigationStarted();
        emit navigationStarted();
    });
    // A page that failed to load shows an error document; it is handled all the
    // same, so that a pending submission check is not carried to a later page.
    connect(page, &QWebEnginePage::loadFinished, this, [this] { handleCompletedLoad(); });
}

void BrowserTabFiller::fillPage()
{
    runOnPage([this](FormDocumentModel& page) { m_filler.fillPage(page, m_profile(), m_state); });
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
    const bool submitted = m_state.takeSubmitted();
    runOnPage(
        [this, submitted](FormDocumentModel& page) {
            const std::optional<SubmissionOutcome> outcome =
                m_filler.handleCompletedLoad(page, m_profile(), m_state, submitted);
            if (outcome)
                emit submissionConfirmed(*outcome);
        },
        submitted);
}

void BrowserTabFiller::runOnPage(WebFormBridge::Work work, bool withSource)
{
    m_bridge.run(
        std::move(work), [this](const WebFormRun& run) { emit filled(run); }, withSource);
}
