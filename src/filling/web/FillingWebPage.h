#pragma once

#include "browser/ui/BrowserPage.h"

#include <QElapsedTimer>

// A browser page that tells the form filling when its top-level document starts
// navigating, when one of its forms is submitted, when the form the filling
// wrote into is submitted (with what it held), and what the page says in alert
// boxes; and that notes in every document which fields a person typed into.
// The file chooser of a file input the filling gave a profile's file starts at
// that file.
// Every navigation goes on as the page asked for it.
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
    // The form the filling wrote into was submitted, or its submit button
    // clicked: the page's own account of it, as JSON (see readFormSubmission).
    void filledFormSubmitted(const QString& submission);
    // The page shows an alert box with this text.
    void alertShown(const QString& text);
    // The top-level document starts navigating somewhere.
    void mainFrameNavigationStarting(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
        const QString& source) override;
    void javaScriptAlert(const QUrl& origin, const QString& text) override;
    QStringList chooseFiles(
        FileSelectionMode mode, const QStringList& oldFiles, const QStringList& acceptedMimeTypes) override;

private:
    void watchFields();

    // Marks the watch's own console messages; made anew for every page, never
    // known to the page's scripts.
    QString m_secret;
    // The profile's file of the file input clicked last, and when it was clicked.
    QString m_chooserFile;
    QElapsedTimer m_chooserAge;
};
