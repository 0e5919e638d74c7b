#pragma once

#include "app/TabSlots.h"
#include "app/ui/BrowserTab.h"
#include "common/SecureRandomSource.h"
#include "filling/PageFiller.h"
#include "stats/CSEOData.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>

class BrowserProfile;
class FindBar;
class IClipboard;
class IClock;
class IMessageBox;
class IRandomSource;
class MainWindowState;
class NavigationToolBar;
class QLabel;
class QLineEdit;
class QProgressBar;
class QStackedWidget;
class QTabBar;
class QWebEnginePage;
class RefererInterceptor;
class TabToolBar;
class WindowRelay;

// The browser side of the main window: ten tab slots, the tab row, the address
// line with the page's PageRank and load progress, the tab tool bar and the
// browser of the current tab. Opens, closes and switches tabs, keeps the tool
// bars in step with the current tab, and asks for the PageRank of every page loaded.
// A window a page opens becomes a tab of its own, within the ten; the find bar,
// the zoom and the site's cookies act on the current tab.
class BrowserTabArea : public QWidget {
    Q_OBJECT

public:
    // The message of the eleventh tab, and its caption.
    static constexpr const char* kTooManyTabs =
        "Maximum 10 browser tabs allowed. Please close some of the currently opened pages and try again.";
    static constexpr const char* kTooManyTabsCaption = "Ravelin";
    // The status line when a page tries to open a window by itself.
    static constexpr const char* kWindowRefused =
        "The page tried to open a window by itself; Vantelo opened none.";
    // "Forget This Site's Cookies" without a web page in the current tab.
    static constexpr const char* kNoSite = "The current tab shows no web site.";
    static constexpr const char* kCookiesForgotten = "The cookies of %1 were deleted (%2).";
    static constexpr const char* kNoCookies = "Vantelo keeps no cookies of %1.";

    BrowserTabArea(MainWindowState& state, IMessageBox& messages, IRandomSource& random, const IClock& clock,
        IClipboard& clipboard, NavigationToolBar& navigation, BrowserProfile& browser,
        QWidget* parent = nullptr);
    ~BrowserTabArea() override;

    // Opens an address in a tab (a new one, or the one tab in single-tab mode)
    // with the caption; the slot, or -1 when ten tabs are open.
    int OpenTab(const std::string& address, const std::string& caption, bool select);
    // Opens an address in the tab of a used slot, and selects it; in a tab as
    // OpenTab does when the slot has none. The slot, or -1.
    int openInSlot(int slot, const std::string& address, const std::string& caption);
    void CloseCurrentTab();
    // Closes the tab of a used slot.
    void closeSlot(int slot);
    void nextTab();
    void previousTab();
    // Puts the keyboard focus on the address box, its text selected for copying;
    // nothing while no tab shows it.
    void focusAddress();
    // Shows, hides and enables the controls for the current tab.
    void LayoutControls();

    // The slot of the selected tab, or -1.
    int currentSlot() const;
    // Selects the tab of a used slot.
    void selectSlot(int slot);
    TabSlots& tabSlots() { return m_slots; }
    // The browser of a slot; null while the slot never had a tab.
    BrowserTab* tab(int slot) const;

    // Shows the find bar for the current tab (Ctrl+F).
    void findInPage();
    // Zooms the current tab's page (Ctrl++, Ctrl+-, Ctrl+0).
    void zoomCurrentTab(BrowserTab::Zoom step);
    // Deletes the cookies of the current tab's site and says how many there were.
    void forgetCurrentSiteCookies();

signals:
    // The page of a tab confirmed a submission.
    void submissionConfirmed(int slot, const SubmissionOutcome& outcome);
    // The page of a tab said that a submission was not taken: its sentence, or
    // why it counts as a refusal.
    void submissionRefused(int slot, const std::string& reason);
    // "Select the loaded directory in the directory list".
    void gotoRequested(const std::string& directory);
    // The tab tool bar's "Reciprocal".
    void reciprocalRequested(int slot);
    // What the current tab's fills wrote and the verdict on its last submission,
    // for the status line; empty before either.
    void fillStatusChanged(const QString& status);
    // A short note for the status line (the zoom of the page).
    void statusNote(const QString& note);

private:
    BrowserTab& ensureTab(int slot);
    void showInSlot(
        const TabOpening& opening, const std::string& address, const std::string& caption, bool select);
    QWebEnginePage* openWindowForPage();
    int indexOfSlot(int slot) const;
    void find(const QString& text, bool backward);
    void stopFinding();
    void placeTab(const TabOpening& opening, const QString& caption);
    void updateFromTab(int slot);
    QString statusOf(int slot) const;
    void showStatus(int slot);
    void updateProgress(const BrowserTab& tab);
    void updateReciprocalButton(const TabFillState* fill);
    void queryPageRank(int slot, const QUrl& url);
    void showPageRank(std::int32_t pageRank, std::int32_t slot);
    void fillCopyMenu();
    QWidget* buildAddressLine();

    MainWindowState& m_state;
    IMessageBox& m_messages;
    IRandomSource& m_random;
    IClipboard& m_clipboard;
    NavigationToolBar& m_navigation;
    SecureRandomSource m_passwordRandom;
    PageFiller m_filler;
    std::shared_ptr<WindowRelay> m_relay;
    TabSlots m_slots;
    BrowserProfile& m_browser;
    RefererInterceptor* m_referers;
    std::array<std::unique_ptr<BrowserTab>, kTabSlotCount> m_tabs;
    std::array<QString, kTabSlotCount> m_fillStatus; // per slot, since its page loaded
    // Per slot, the verdict on its last submission, until it opens another address.
    std::array<QString, kTabSlotCount> m_verdict;

    QTabBar* m_tabBar;
    QLabel* m_addressLabel;
    QLineEdit* m_address;
    QLabel* m_pageRank;
    QProgressBar* m_progress;
    TabToolBar* m_toolBar;
    QStackedWidget* m_views;
    FindBar* m_findBar;
    int m_findSlot = -1; // the tab the find bar last searched
};
