#pragma once

#include "filling/PageFiller.h"
#include "filling/web/WebFormBridge.h"

#include <QObject>

#include <functional>
#include <string>

class FillingWebPage;
struct TabFillState;

// Connects one browser tab's page to the form filling: resets the tab's fill
// state when its top-level document starts navigating, notes a submitted form,
// and after every completed load checks for the confirmation text (when a form
// was submitted) and fills the page and its category. The tab's commands run the
// single fills. The tab owner keeps the state and the filler alive as long as this.
class BrowserTabFiller : public QObject {
    Q_OBJECT

public:
    // The active profile at the moment a fill runs.
    using ProfileSource = std::function<const SendingProfile::SiteProfile&()>;

    BrowserTabFiller(FillingWebPage* page, TabFillState& state, const PageFiller& filler,
        ProfileSource profile, QObject* parent = nullptr);

    // The "Auto Fill" command.
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
    // The page that followed a submitted form shows the directory's confirmation text.
    void submissionConfirmed(const SubmissionOutcome& outcome);
    // A fill has been replayed on the page (or abandoned with it).
    void filled(const WebFormRun& run);

private:
    void handleCompletedLoad();
    void runOnPage(WebFormBridge::Work work, bool withSource = false);

    WebFormBridge m_bridge;
    TabFillState& m_state;
    const PageFiller& m_filler;
    ProfileSource m_profile;
};
