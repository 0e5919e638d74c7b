#pragma once

#include "filling/web/BrowserTabFiller.h"

#include <QObject>
#include <QPointer>
#include <QStackedWidget>
#include <QUrl>
#include <QWebEngineCertificateError>
#include <QWebEnginePage>

#include <memory>
#include <optional>
#include <string>

class BrowserProfile;
class FillingWebPage;
class PageNotice;
class QWebEngineView;
class RefererInterceptor;
struct TabSlot;

// The browser of one tab slot: its view and page, the form filling of its pages,
// and the load progress and history the tool bars show. Its events carry the
// slot number. A page whose certificate is not valid waits behind a warning
// for the user's choice, a page whose process ended is replaced by a panel
// that reloads it, and each site is shown at the zoom last chosen for it.
class BrowserTab : public QObject {
    Q_OBJECT

public:
    // A step of the zoom commands.
    enum class Zoom {
        In, // one step larger
        Out, // one step smaller
        Reset, // the page's own size
    };

    BrowserTab(int slot, TabSlot& state, const PageFiller& filler, BrowserTabFiller::ProfileSource profile,
        BrowserProfile& browser, RefererInterceptor& referers, QObject* parent = nullptr);
    ~BrowserTab() override;

    int slot() const { return m_slot; }
    // What the tab shows: the page, or a notice in its place.
    QWidget* widget() const { return m_widget; }
    QWebEngineView* view() const { return m_view; }
    FillingWebPage* page() const { return m_page; }
    BrowserTabFiller& filler() { return *m_filler; }
    // The panel shown in place of the page; whether it is shown now.
    PageNotice* notice() const { return m_notice; }
    bool showsNotice() const;

    // Loads an address, sending the Referer the tab sends with it.
    void navigate(const std::string& address);
    // Load progress in percent; -1 while nothing loads.
    int progress() const { return m_progress; }
    bool canGoBack() const;
    bool canGoForward() const;
    // The address of the page shown.
    QString location() const;
    // Zooms the page and keeps the zoom for its site; the new factor.
    double zoom(Zoom step);

signals:
    // Progress, the address or the history changed.
    void stateChanged(int slot);
    // The top-level document starts navigating: the fill state was reset.
    void navigationStarted(int slot);
    // The top-level document has loaded.
    void loadCompleted(int slot, const QUrl& url);
    // The answer to a submitted form was judged: the status line's verdict.
    void submissionJudged(int slot, const SubmissionCheck& check);
    // The answer to a submitted form says it succeeded: what to record.
    void submissionConfirmed(int slot, const SubmissionOutcome& outcome);
    // A fill of the page is over.
    void filled(int slot);
    // What the fills of the page wrote so far.
    void pageFilled(int slot, const FillCount& count);
    // The page's script asked to close its window (window.close()).
    void closeRequested(int slot);
    // The page tried to open a window by itself (once per page load).
    void windowRefused(int slot);

private:
    void showPage();
    void showCertificateProblem(const QWebEngineCertificateError& error);
    void answerCertificate(bool accept);
    void showStoppedPage(QWebEnginePage::RenderProcessTerminationStatus status);
    void applySiteZoom();

    int m_slot;
    BrowserProfile& m_browser;
    RefererInterceptor& m_referers;
    QPointer<QStackedWidget> m_widget;
    QWebEngineView* m_view;
    FillingWebPage* m_page;
    PageNotice* m_notice;
    std::unique_ptr<BrowserTabFiller> m_filler;
    std::optional<QWebEngineCertificateError> m_certificate; // waiting for the user's choice
    int m_progress = -1;
};
