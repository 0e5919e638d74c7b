#pragma once

#include "browser/ui/BrowserPage.h"

// A browser page that tells the form filling when its top-level document starts
// navigating and when one of its forms is submitted, and that notes in every
// document which fields a person typed into. Every navigation goes on as the
// page asked for it.
class FillingWebPage : public BrowserPage {
    Q_OBJECT

public:
    // On a throw-away profile, with nobody to ask (see BrowserPage).
    explicit FillingWebPage(QObject* parent = nullptr);
    // On the program's browser profile.
    FillingWebPage(BrowserProfile& browser, QObject* parent);

signals:
    // A form of the top-level document was submitted; emitted before the
    // navigation that follows it starts.
    void formSubmitted();
    // The top-level document starts navigating somewhere.
    void mainFrameNavigationStarting(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
