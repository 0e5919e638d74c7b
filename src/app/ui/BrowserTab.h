#pragma once

#include "filling/web/BrowserTabFiller.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWebEngineView>

#include <memory>
#include <optional>
#include <string>

class FillingWebPage;
class QWebEngineProfile;
class RefererInterceptor;
struct TabSlot;

// The browser of one tab slot: its view and page, the form filling of its pages,
// and the load progress and history the tool bars show. Its events carry the
// slot number. Pages never open windows of their own.
class BrowserTab : public QObject {
    Q_OBJECT

public:
    BrowserTab(int slot, TabSlot& state, const PageFiller& filler, BrowserTabFiller::ProfileSource profile,
        QWebEngineProfile* webProfile, RefererInterceptor& referers, QObject* parent = nullptr);
    ~BrowserTab() override;

    int slot() const { return m_slot; }
    QWebEngineView* view() const { return m_view; }
    FillingWebPage* page() const { return m_page; }
    BrowserTabFiller& filler() { return *m_filler; }

    // Loads an address, sending the Referer the tab sends with it.
    void navigate(const std::string& address);
    // Load progress in percent; -1 while nothing loads.
    int progress() const { return m_progress; }
    bool canGoBack() const;
    bool canGoForward() const;
    // The address of the page shown.
    QString location() const;

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

private:
    int m_slot;
    RefererInterceptor& m_referers;
    QPointer<QWebEngineView> m_view;
    FillingWebPage* m_page;
    std::unique_ptr<BrowserTabFiller> m_filler;
    int m_progress = -1;
};
