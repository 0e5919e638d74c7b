#pragma once

#include "filling/FillCount.h"
#include "filling/PageFiller.h"
#include "filling/TabFillState.h"
#include "filling/web/WebFormBridge.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class FieldRecognizer;
class FillingWebPage;

// Connects one browser tab's page to the form filling: resets the tab's fill
// state when its top-level document starts navigating, checks the answer when
// the form the fill wrote into is submitted, and after every completed load
// fills the page, its category and the fields recognised, and for a while
// fills the fields the page's scripts add. Pages of other sites than the
// directory's are filled only by the tab's commands. The tab owner keeps the
// state and the filler alive as long as this.
//
// Only a submission of the form the fill wrote into (or a click on its submit
// button) is followed; a search or login form used afterwards is not. The
// answer is the page that follows it, read at once when it has loaded and
// also as it is left (a script that moves on while it loads), so that a page
// that leaves right away is still the one checked; the document's identity in
// each reading keeps the form's own page and every later page out of the check.
// A submission that stays on its page is answered by what appears there (new
// text near the form, an alert region, an alert box), looked for a few times a
// second for kAnswerWaitSeconds; a page that follows later still answers.
class BrowserTabFiller : public QObject {
    Q_OBJECT

public:
    // The active profile at the moment a fill runs.
    using ProfileSource = std::function<const SendingProfile::SiteProfile&()>;
    // The recogniser a fill uses at the moment it runs; none when recognition is off.
    using RecognizerSource = std::function<const FieldRecognizer*()>;

    // How long after a load the page is watched for fields its scripts add.
    static constexpr int kLateFieldWatchMs = 10000;
    // How often a page that stays after a submission is read for its answer.
    static constexpr int kAnswerPollMs = 400;

    BrowserTabFiller(FillingWebPage* page, TabFillState& state, const PageFiller& filler,
        ProfileSource profile, QObject* parent = nullptr);

    // Fields are recognised with what the source gives; without a source they are not.
    void setRecognizer(RecognizerSource recognizer) { m_recognizer = std::move(recognizer); }
    // Whether pages of any site are filled after they load; by default only the
    // directory's own site is.
    void setFillsAnySite(bool anySite) { m_anySite = anySite; }
    // Fills the pages of the site of this address after they load instead of
    // the directory's own, as when the user asks for a preview of one page.
    void setFilledSite(std::string address) { m_filledSite = std::move(address); }
    // How long after a load the page is watched for late fields; 0 watches not at all.
    void setLateFieldWatch(int milliseconds) { m_watchMs = milliseconds; }
    // Whether the new password a sign-up form got is kept when the form is
    // submitted (as it is by default), or forgotten, as in a preview.
    void setKeepsAccounts(bool keeps) { m_keepsAccounts = keeps; }

    // The "Auto Fill" command: fills the page whatever its site.
    void fillPage();
    // The "Fill category" command.
    void fillCategory();
    // Places the URL of the page that now carries the reciprocal link.
    void fillReciprocalUrl(const std::string& url);
    // Reads the directory's link code from the live page again, into the tab's
    // state, and tells `read` whether the page still shows one. Nothing is told
    // when the page moves on first.
    void rereadReciprocalCode(std::function<void(bool found)> read);

signals:
    // The tab's page changes: its reciprocal code and category search are reset.
    void navigationStarted();
    // The answer to a submitted form was judged, or none came in time.
    void submissionJudged(const SubmissionCheck& check);
    // The answer to a submitted form says it succeeded: what to record.
    void submissionConfirmed(const SubmissionOutcome& outcome);
    // A fill has been replayed on the page (or abandoned with it).
    void filled(const WebFormRun& run);
    // What the fills of the page wrote so far: after the fill that follows a
    // load (with the late fields it grew by) or after the "Auto Fill" command.
    void pageFilled(const FillCount& count);
    // The watch for late fields that followed a load is over.
    void lateFieldWatchEnded();

private:
    // A submitted form whose answer is awaited.
    struct AnswerWait {
        TabFillState submitted; // the tab as it was when the form was submitted
        std::string formDocument; // the identity of the form's own page
        bool navigated = false; // the top-level document started to leave it since
        QElapsedTimer age;
    };

    void handleCompletedLoad();
    void awaitAnswer(const QString& submission);
    void readAnswer(bool loaded);
    void takeAnswer(const PageAnswer& answer, bool loaded);
    void lookForMessage();
    void takeMessage(const PageAnswer& message);
    void finishAnswer(const SubmissionCheck& check);
    void runOnPage(
        WebFormBridge::Work work, bool withSource = false, std::function<void(const WebFormRun&)> after = {});
    const FieldRecognizer* recognizer() const;
    // Whether the page shown is on the directory's own site: only there is it
    // filled by itself, and only there does it receive the profile's files.
    bool onOwnSite() const;
    void startLateFieldWatch();
    void stopLateFieldWatch();
    void lookForLateFields();

    WebFormBridge m_bridge;
    FillingWebPage* m_page;
    TabFillState& m_state;
    const PageFiller& m_filler;
    ProfileSource m_profile;
    RecognizerSource m_recognizer;
    bool m_anySite = false;
    bool m_keepsAccounts = true;
    std::optional<std::string> m_filledSite;
    int m_watchMs = kLateFieldWatchMs;
    QTimer m_watch;
    QElapsedTimer m_watchAge;
    bool m_lateRound = false;
    FillCount m_count;
    std::optional<AnswerWait> m_answerWait;
    quint64 m_waitNumber = 0; // tells the readings of an earlier wait apart
    QTimer m_answerPoll;
    bool m_messageRound = false;
    QElapsedTimer m_navigationAge; // since the top-level document last started to navigate
};
