#include "filling/web/BrowserTabFiller.h"

#include "filling/DirectorySite.h"
#include "filling/PageAnswer.h"
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
    m_answerPoll.setInterval(kAnswerPollMs);
    connect(&m_answerPoll, &QTimer::timeout, this, [this] { lookForMessage(); });
    connect(page, &FillingWebPage::filledFormSubmitted, this, &BrowserTabFiller::awaitAnswer);
    connect(page, &FillingWebPage::alertShown, this, [this](const QString& text) {
        if (!m_answerWait || m_answerWait->navigated)
            return;
        PageAnswer message;
        message.token = m_answerWait->formDocument;
        message.message = true;
        message.answer.texts.push_back({ AnswerTextKind::Message, toStdString(text) });
        takeMessage(message);
    });
    connect(page, &FillingWebPage::mainFrameNavigationStarting, this, [this] {
        m_navigationAge.start();
        // An answer that moves on before it has loaded is read as it goes.
        if (m_answerWait) {
            m_answerWait->navigated = true;
            readAnswer(false);
        }
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
        [this, ownSite = onOwnSite()](FormDocumentModel& page) {
            m_filler.fillPage(page, m_profile(), m_state);
            if (const FieldRecognizer* fields = recognizer())
                m_filler.fillRecognised(page, *fields, m_profile(), m_state, ownSite);
        },
        false,
        [this](const WebFormRun& run) {
            m_count = { run.fields, run.recognised, m_state.passwords };
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
    // A sign-up form left without submitting it keeps nothing.
    m_state.newAccount.reset();
    const bool ownSite = onOwnSite();
    const bool fills = m_anySite
        || (m_filledSite ? sameSite(*m_filledSite, toStdString(m_page->url().toString())) : ownSite);
    runOnPage(
        [this, fills, ownSite](FormDocumentModel& page) {
            if (!fills)
                return;
            m_filler.fillPage(page, m_profile(), m_state);
            m_filler.fillCategory(page, m_profile(), m_state);
            if (const FieldRecognizer* fields = recognizer())
                m_filler.fillRecognised(page, *fields, m_profile(), m_state, ownSite);
        },
        false,
        [this, fills](const WebFormRun& run) {
            if (!fills || run.end == WebFormRun::End::Abandoned)
                return;
            m_count = { run.fields, run.recognised, m_state.passwords };
            emit pageFilled(m_count);
            startLateFieldWatch();
        });
}

void BrowserTabFiller::awaitAnswer(const QString& submission)
{
    const std::optional<FormSubmission> submitted = readFormSubmission(toStdString(submission));
    if (!submitted)
        return;
    m_state.submitted = true;
    m_state.submittedForm = submitted->form;
    if (m_keepsAccounts)
        m_filler.keepNewAccount(m_profile(), m_state);
    AnswerWait& wait = m_answerWait.emplace(AnswerWait { m_state, submitted->token, false, {} });
    wait.age.start();
    // The page tells of the submission as it starts the navigation that sends
    // it; the two may reach the program in either order.
    constexpr qint64 kSameSubmissionMs = 1000;
    wait.navigated =
        m_navigationAge.isValid() && m_navigationAge.elapsed() < kSameSubmissionMs && m_page->isLoading();
    ++m_waitNumber;
    m_messageRound = false;
    m_answerPoll.start();
}

void BrowserTabFiller::readAnswer(bool loaded)
{
    const quint64 wait = m_waitNumber;
    m_bridge.readAnswer([this, wait, loaded](PageAnswer answer) {
        if (wait == m_waitNumber && m_answerWait)
            takeAnswer(answer, loaded);
    });
}

void BrowserTabFiller::takeAnswer(const PageAnswer& answer, bool loaded)
{
    // The form's own page, still shown or shown again from the history, is no answer.
    if (!answer.token.empty() && answer.token == m_answerWait->formDocument)
        return;
    // A page already gone answers nothing; one that loaded and cannot be read is checked as such.
    if (answer.token.empty() && !loaded)
        return;
    finishAnswer(m_filler.checkSubmission(answer, m_profile(), m_answerWait->submitted));
}

void BrowserTabFiller::lookForMessage()
{
    if (!m_answerWait) {
        m_answerPoll.stop();
        return;
    }
    if (m_answerWait->age.elapsed() >= kAnswerWaitSeconds * 1000) {
        // A page on its way answers when it arrives, however slow its server.
        if (m_answerWait->navigated && m_page->isLoading()) {
            m_answerPoll.stop();
            return;
        }
        finishAnswer({ unansweredVerdict(), std::nullopt });
        return;
    }
    if (m_answerWait->navigated || m_messageRound)
        return;
    m_messageRound = true;
    const quint64 wait = m_waitNumber;
    m_bridge.readAnswer(
        [this, wait](PageAnswer message) {
            if (wait != m_waitNumber || !m_answerWait)
                return;
            m_messageRound = false;
            // Another document answered: the page moved on, and its arrival decides.
            if (message.token != m_answerWait->formDocument) {
                m_answerWait->navigated = true;
                return;
            }
            takeMessage(message);
        },
        true);
}

void BrowserTabFiller::takeMessage(const PageAnswer& message)
{
    const SubmissionCheck check = m_filler.checkSubmission(message, m_profile(), m_answerWait->submitted);
    // What says neither may be followed by what does: the page is watched on.
    if (check.verdict.outcome != SubmissionVerdict::Outcome::Undecided)
        finishAnswer(check);
}

void BrowserTabFiller::finishAnswer(const SubmissionCheck& check)
{
    // The first answer decides; whatever the page shows later is no answer to this form.
    m_answerWait.reset();
    ++m_waitNumber;
    m_answerPoll.stop();
    m_state.submitted = false;
    m_state.submittedForm = {};
    emit submissionJudged(check);
    if (check.outcome)
        emit submissionConfirmed(*check.outcome);
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

bool BrowserTabFiller::onOwnSite() const
{
    return m_filler.fillsAutomatically(m_state, toStdString(m_page->url().toString()));
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
            [this, ownSite = onOwnSite()](FormDocumentModel& page) {
                m_filler.fillLateFields(page, recognizer(), m_profile(), m_state, ownSite);
            },
            false,
            [this](const WebFormRun& run) {
                m_lateRound = false;
                if (run.end != WebFormRun::End::Applied || run.fields == 0)
                    return;
                m_count.fields += run.fields;
                m_count.recognised += run.recognised;
                m_count.passwords = m_state.passwords;
                emit pageFilled(m_count);
            });
    });
}
