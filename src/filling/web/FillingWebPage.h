#pragma once

#include <QWebEnginePage>

// A browser page that tells the form filling when its top-level document starts
// navigating and when one of its forms is submitted, and that notes in every
// document which fields a person typed into. Every navigation goes on as the
// page asked for it.
class FillingWebPage : public QWebEnginePage {
    Q_OBJECT

public:
    explicit FillingWebPage(QObject* parent = nullptr);
    FillingWebPage(QWebEngineProfile* profile, QObject* parent);

signals:
    // A form of the top-level document was submitted; emitted before the
    // navigation that follows it starts.
    void formSubmitted();
    // The top-level document starts navigating somewhere.
    void mainFrameNavigationStarting(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
