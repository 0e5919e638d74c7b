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
    connect(page, &FillingWebPage::formSubmitted, this, [this] {
        m_state.formSubmitted();
        if (m_state.submitted)
            awaitAnswer();
    });
    connect(page, &FillingWebPage::mainFrameNavigationStarting, this, [this] {
        // An answer that moves on before it has loaded is read as it goes.
        if (m_answerWait)
            readAnswer(false);
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
    // Read before anything else reaches the page: it may move on at once, and the
    // fill below changes its fields.
    if (m_answerWait)
        readAnswer(true);
    const bool fills =
        m_anySite || m_filler.fillsAutomatically(m_state, toStdString(m_page->url().toString()));
    runOnPage(
        [this, fills](FormDocumentModel& page) {
            if (!fills)
                return;
            m_filler.fillPage(page, m_profile(), m_state);
            m_filler.fillCategory(page, m_profile(), m_state);
            if (const FieldRecognizer* fields = recognizer())
                m_filler.fillRecognised(page, *fields, m_profile(), m_state);
        },
        false,
        [this, fills](const WebFormRun& run) {
            if (!fills || run.end == WebFormRun::End::Abandoned)
                return;
            m_count = { run.fields, run.recognised };
            emit pageFilled(m_count);
            startLateFieldWatch();
        });
}

void BrowserTabFiller::awaitAnswer()
{
    m_answerWait = AnswerWait { m_state, std::nullopt, {} };
    const quint64 wait = ++m_waitNumber;
    // The page that is being left is the form's own: its identity tells the answer apart.
    m_bridge.readAnswer([this, wait](PageAnswer form) {
        if (wait != m_waitNumber || !m_answerWait)
            return;
        m_answerWait->formDocument = form.token;
        std::vector<Reading> early = std::move(m_answerWait->early);
        for (Reading& reading : early) {
            if (!m_answerWait)
                return;
            takeAnswer(std::move(reading.answer), reading.loaded);
        }
    });
}

void BrowserTabFiller::readAnswer(bool loaded)
{
    const quint64 wait = m_waitNumber;
    m_bridge.readAnswer([this, wait, loaded](PageAnswer answer) {
        if (wait == m_waitNumber && m_answerWait)
            takeAnswer(std::move(answer), loaded);
    });
}

void BrowserTabFiller::takeAnswer(PageAnswer answer, bool loaded)
{
    if (!m_answerWait->formDocument) {
        if (!answer.token.empty() || loaded)
            m_answerWait->early.push_back({ std::move(answer), loaded });
        return;
    }
    // The form's own page, still shown or shown again from the history, is no answer.
    if (!answer.token.empty() && answer.token == *m_answerWait->formDocument)
        return;
    // A page already gone answers nothing; one that loaded and cannot be read is checked as such.
    if (answer.token.empty() && !loaded)
        return;
    checkAnswer(answer);
}

void BrowserTabFiller::checkAnswer(const PageAnswer& answer)
{
    // The first answer decides; whatever the page reads as later is no answer to this form.
    const TabFillState submitted = std::move(m_answerWait->submitted);
    m_answerWait.reset();
    ++m_waitNumber;
    m_state.submitted = false;
    FormDocumentModel page;
    if (answer.source)
        page.setSource(*answer.source);
    if (const std::optional<SubmissionOutcome> outcome =
            m_filler.checkSubmissionResult(page, m_profile(), submitted))
        emit submissionConfirmed(*outcome);
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
