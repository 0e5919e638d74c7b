#include "app/ui/BrowserTabArea.h"

#include "app/MainWindowState.h"
#include "app/ProfileFieldCopy.h"
#include "app/ui/BrowserTab.h"
#include "app/ui/NavigationToolBar.h"
#include "app/ui/RefererInterceptor.h"
#include "app/ui/TabToolBar.h"
#include "app/ui/WindowRelay.h"
#include "autofill/FieldRecognizer.h"
#include "browser/ZoomLevels.h"
#include "browser/ui/BrowserProfile.h"
#include "browser/ui/FindBar.h"
#include "common/IClipboard.h"
#include "common/IMessageBox.h"
#include "filling/FillCount.h"
#include "filling/ReciprocalButton.h"
#include "filling/SubmissionCheck.h"
#include "filling/web/FillingWebPage.h"
#include "stats/PageRank.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

namespace {

constexpr const char* kBlankPage = "about:blank";
// The caption of a tab a page opened, until its page has a title.
constexpr const char* kNewWindowCaption = "New window";
constexpr const char* kZoomNote = "Zoom: %1%";

// Hands the PageRank of a page, found on a worker thread, to the tab area's thread.
class PageRankSink : public CSEOData::IResultSink {
public:
    PageRankSink(std::shared_ptr<WindowRelay> relay, std::function<void(std::int32_t, std::int32_t)> deliver)
        : m_relay(std::move(relay))
        , m_deliver(std::move(deliver))
    {
    }

    void OnSEOResult(std::int32_t result, std::int32_t cookie) override
    {
        m_relay->post([deliver = m_deliver, result, cookie] { deliver(result, cookie); });
    }

private:
    std::shared_ptr<WindowRelay> m_relay;
    std::function<void(std::int32_t, std::int32_t)> m_deliver;
};

bool isWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

} // namespace

BrowserTabArea::BrowserTabArea(MainWindowState& state, IMessageBox& messages, IRandomSource& random,
    const IClock& clock, IClipboard& clipboard, NavigationToolBar& navigation, BrowserProfile& browser,
    QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_messages(messages)
    , m_random(random)
    , m_clipboard(clipboard)
    , m_navigation(navigation)
    , m_filler(state.directories(), state.profiles(), random, clock, messages, clipboard)
    , m_relay(std::make_shared<WindowRelay>(this))
    , m_browser(browser)
    , m_referers(new RefererInterceptor(this))
    , m_tabBar(new QTabBar)
    , m_addressLabel(new QLabel(QStringLiteral("Address:")))
    , m_address(new QLineEdit)
    , m_pageRank(new QLabel(QStringLiteral("PR 10")))
    , m_progress(new QProgressBar)
    , m_toolBar(new TabToolBar)
    , m_views(new QStackedWidget)
    , m_findBar(new FindBar)
{
    m_filler.setAccounts(&state.accounts(), &m_passwordRandom);
    m_tabBar->setExpanding(false);
    m_tabBar->setUsesScrollButtons(true);
    m_tabBar->setSelectionBehaviorOnRemove(QTabBar::SelectRightTab);
    m_views->addWidget(new QWidget);

    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(6, 4, 6, 6);
    inside->addWidget(buildAddressLine());
    inside->addWidget(m_views, 1);
    inside->addWidget(m_findBar);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabBar);
    layout->addWidget(frame, 1);

    connect(m_tabBar, &QTabBar::currentChanged, this, [this] {
        m_findBar->dismiss();
        LayoutControls();
    });
    connect(m_findBar, &FindBar::findRequested, this, &BrowserTabArea::find);
    connect(m_findBar, &FindBar::closed, this, &BrowserTabArea::stopFinding);
    const auto onCurrent = [this](auto action) {
        return [this, action] {
            if (BrowserTab* current = tab(currentSlot()))
                action(*current);
        };
    };
    connect(m_navigation.backAction(), &QAction::triggered, this,
        onCurrent([](BrowserTab& tab) { tab.page()->triggerAction(QWebEnginePage::Back); }));
    connect(m_navigation.forwardAction(), &QAction::triggered, this,
        onCurrent([](BrowserTab& tab) { tab.page()->triggerAction(QWebEnginePage::Forward); }));
    connect(m_navigation.refreshAction(), &QAction::triggered, this,
        onCurrent([](BrowserTab& tab) { tab.page()->triggerAction(QWebEnginePage::Reload); }));
    connect(m_navigation.stopAction(), &QAction::triggered, this,
        onCurrent([](BrowserTab& tab) { tab.page()->triggerAction(QWebEnginePage::Stop); }));
    connect(m_toolBar->fillAction(), &QAction::triggered, this,
        onCurrent([](BrowserTab& tab) { tab.filler().fillPage(); }));
    connect(m_toolBar->reciprocalAction(), &QAction::triggered, this,
        onCurrent([this](BrowserTab& tab) { emit reciprocalRequested(tab.slot()); }));
    connect(m_toolBar->gotoAction(), &QAction::triggered, this,
        onCurrent([this](BrowserTab& tab) { emit gotoRequested(m_slots[tab.slot()].fill.directoryName); }));
    connect(m_toolBar->closeAction(), &QAction::triggered, this, &BrowserTabArea::CloseCurrentTab);
    fillCopyMenu();
    LayoutControls();

    m_tabBar->setObjectName("tabBar");
    m_address->setObjectName("addressEdit");
    m_pageRank->setObjectName("pageRankLabel");
    m_progress->setObjectName("progressBar");
    m_toolBar->setObjectName("tabToolBar");
    m_findBar->setObjectName("findBar");
}

BrowserTabArea::~BrowserTabArea()
{
    m_relay->close();
    // The pages go while the browser profile they belong to is still there.
    for (std::unique_ptr<BrowserTab>& tab : m_tabs)
        tab.reset();
}

int BrowserTabArea::OpenTab(const std::string& address, const std::string& caption, bool select)
{
    const std::optional<TabOpening> opening = m_slots.open(address, m_state.settings().tabbedBrowsing);
    if (!opening) {
        m_messages.show(kTooManyTabs, kTooManyTabsCaption, MessageIcon::Warning);
        return -1;
    }
    showInSlot(*opening, address, caption, select);
    return opening->slot;
}

int BrowserTabArea::openInSlot(int slot, const std::string& address, const std::string& caption)
{
    const std::optional<TabOpening> opening = m_slots.reuse(slot, address);
    if (!opening || !tab(slot))
        return OpenTab(address, caption, true);
    showInSlot(*opening, address, caption, true);
    return slot;
}

void BrowserTabArea::showInSlot(
    const TabOpening& opening, const std::string& address, const std::string& caption, bool select)
{
    BrowserTab& opened = ensureTab(opening.slot);
    m_verdict[static_cast<std::size_t>(opening.slot)].clear();
    placeTab(opening, toQString(caption));
    opened.navigate(address);
    if (select) {
        selectSlot(opening.slot);
        LayoutControls();
    }
}

void BrowserTabArea::CloseCurrentTab()
{
    if (m_tabBar->currentIndex() >= 0)
        closeSlot(currentSlot());
}

void BrowserTabArea::closeSlot(int slot)
{
    const int index = indexOfSlot(slot);
    if (index < 0)
        return;
    if (slot == m_findSlot)
        m_findBar->dismiss();
    tab(slot)->page()->load(QUrl(QString::fromLatin1(kBlankPage)));
    m_slots.close(slot);
    m_tabBar->removeTab(index);
    LayoutControls();
}

void BrowserTabArea::nextTab()
{
    const int count = m_tabBar->count();
    if (m_tabBar->currentIndex() < 0 || count < 2)
        return;
    m_tabBar->setCurrentIndex((m_tabBar->currentIndex() + 1) % count);
    LayoutControls();
}

void BrowserTabArea::previousTab()
{
    const int count = m_tabBar->count();
    const int current = m_tabBar->currentIndex();
    if (current < 0 || count < 2)
        return;
    m_tabBar->setCurrentIndex(current == 0 ? count - 1 : current - 1);
    LayoutControls();
}

void BrowserTabArea::focusAddress()
{
    if (!m_address->isVisible())
        return;
    m_address->setFocus(Qt::ShortcutFocusReason);
    m_address->selectAll();
}

void BrowserTabArea::LayoutControls()
{
    const int slot = currentSlot();
    BrowserTab* current = tab(slot);
    for (QWidget* control : { static_cast<QWidget*>(m_addressLabel), static_cast<QWidget*>(m_address),
             static_cast<QWidget*>(m_pageRank), static_cast<QWidget*>(m_toolBar) })
        control->setVisible(current != nullptr);
    m_navigation.refreshAction()->setEnabled(current != nullptr);
    if (!current) {
        m_progress->hide();
        for (QAction* action :
            { m_navigation.backAction(), m_navigation.forwardAction(), m_navigation.stopAction() })
            action->setEnabled(false);
        m_views->setCurrentIndex(0);
        updateReciprocalButton(nullptr);
        emit fillStatusChanged({});
        return;
    }
    m_views->setCurrentWidget(current->widget());
    emit fillStatusChanged(statusOf(slot));
    m_pageRank->setText(toQString(::pageRankLabel(m_slots[slot].pageRank)));
    updateReciprocalButton(&m_slots[slot].fill);
    updateFromTab(slot);
}

int BrowserTabArea::currentSlot() const
{
    const int index = m_tabBar->currentIndex();
    return index < 0 ? -1 : m_tabBar->tabData(index).toInt();
}

void BrowserTabArea::selectSlot(int slot)
{
    if (const int index = indexOfSlot(slot); index >= 0)
        m_tabBar->setCurrentIndex(index);
}

int BrowserTabArea::indexOfSlot(int slot) const
{
    for (int index = 0; index < m_tabBar->count(); ++index) {
        if (m_tabBar->tabData(index).toInt() == slot)
            return index;
    }
    return -1;
}

BrowserTab* BrowserTabArea::tab(int slot) const
{
    if (slot < 0 || slot >= kTabSlotCount)
        return nullptr;
    return m_tabs[static_cast<std::size_t>(slot)].get();
}

BrowserTab& BrowserTabArea::ensureTab(int slot)
{
    std::unique_ptr<BrowserTab>& existing = m_tabs[static_cast<std::size_t>(slot)];
    if (existing)
        return *existing;
    existing = std::make_unique<BrowserTab>(
        slot, m_slots[slot], m_filler,
        [this]() -> const SendingProfile::SiteProfile& { return m_state.active().profile(); }, m_browser,
        *m_referers);
    BrowserTab* created = existing.get();
    created->page()->setWindowOpener([this] { return openWindowForPage(); });
    created->filler().setRecognizer([this]() -> const FieldRecognizer* {
        return recognizesForms(m_state.settings()) ? &FieldRecognizer::shipped() : nullptr;
    });
    m_views->addWidget(created->widget());
    // A tab a page opened has no directory's name to show: it shows its page's title.
    connect(created->page(), &QWebEnginePage::titleChanged, this, [this, slot](const QString& title) {
        const int index = indexOfSlot(slot);
        if (index >= 0 && m_slots[slot].openedByPage && !title.isEmpty()) {
            m_tabBar->setTabText(index, toQString(tabCaption(toStdString(title))));
            m_tabBar->setTabToolTip(index, plainToolTip(title));
        }
    });
    connect(created, &BrowserTab::windowRefused, this,
        [this] { emit statusNote(QString::fromLatin1(kWindowRefused)); });
    // Only a window that a page opened may be closed by a page.
    connect(created, &BrowserTab::closeRequested, this, [this](int closing) {
        if (!m_slots[closing].free && m_slots[closing].openedByPage)
            QTimer::singleShot(0, this, [this, closing] {
                if (!m_slots[closing].free && m_slots[closing].openedByPage)
                    closeSlot(closing);
            });
    });
    connect(created, &BrowserTab::stateChanged, this, &BrowserTabArea::updateFromTab);
    connect(created, &BrowserTab::navigationStarted, this, [this](int changed) {
        m_fillStatus[static_cast<std::size_t>(changed)].clear();
        if (changed == currentSlot()) {
            updateReciprocalButton(&m_slots[changed].fill);
            emit fillStatusChanged(statusOf(changed));
        }
    });
    connect(created, &BrowserTab::pageFilled, this, [this](int changed, const FillCount& count) {
        m_fillStatus[static_cast<std::size_t>(changed)] = toQString(fillStatusText(count));
        showStatus(changed);
    });
    connect(created, &BrowserTab::submissionJudged, this, [this](int changed, const SubmissionCheck& check) {
        m_verdict[static_cast<std::size_t>(changed)] = toQString(submissionStatusText(check.verdict));
        showStatus(changed);
        if (check.verdict.outcome == SubmissionVerdict::Outcome::Failure)
            emit submissionRefused(
                changed, check.verdict.evidence.empty() ? check.verdict.reason : check.verdict.evidence);
    });
    connect(created, &BrowserTab::filled, this, [this](int changed) {
        if (changed == currentSlot())
            updateReciprocalButton(&m_slots[changed].fill);
    });
    connect(created, &BrowserTab::loadCompleted, this, &BrowserTabArea::queryPageRank);
    connect(created, &BrowserTab::submissionConfirmed, this, &BrowserTabArea::submissionConfirmed);
    return *created;
}

QString BrowserTabArea::statusOf(int slot) const
{
    const QString& verdict = m_verdict[static_cast<std::size_t>(slot)];
    const QString& fill = m_fillStatus[static_cast<std::size_t>(slot)];
    if (verdict.isEmpty() || fill.isEmpty())
        return verdict + fill;
    return verdict + QStringLiteral(" — ") + fill;
}

void BrowserTabArea::showStatus(int slot)
{
    if (slot == currentSlot())
        emit fillStatusChanged(statusOf(slot));
}

QWebEnginePage* BrowserTabArea::openWindowForPage()
{
    const std::optional<int> slot = m_slots.openForPage();
    if (!slot) {
        // Not from inside the browser's call: the page goes on without its window.
        QTimer::singleShot(
            0, this, [this] { m_messages.show(kTooManyTabs, kTooManyTabsCaption, MessageIcon::Warning); });
        return nullptr;
    }
    // A window starts with a page that never showed anything, and without history.
    m_tabs[static_cast<std::size_t>(*slot)].reset();
    BrowserTab& opened = ensureTab(*slot);
    m_fillStatus[static_cast<std::size_t>(*slot)].clear();
    m_verdict[static_cast<std::size_t>(*slot)].clear();
    placeTab({ *slot, TabPlacement::Append }, QString::fromLatin1(kNewWindowCaption));
    selectSlot(*slot);
    LayoutControls();
    return opened.page();
}

void BrowserTabArea::findInPage()
{
    if (!tab(currentSlot()))
        return;
    m_findBar->open();
}

void BrowserTabArea::zoomCurrentTab(BrowserTab::Zoom step)
{
    if (BrowserTab* current = tab(currentSlot()))
        emit statusNote(QString::fromLatin1(kZoomNote).arg(zoomPercent(current->zoom(step))));
}

void BrowserTabArea::forgetCurrentSiteCookies()
{
    BrowserTab* current = tab(currentSlot());
    const QUrl url = current ? current->page()->url() : QUrl();
    if (!isWebAddress(url) || url.host().isEmpty()) {
        m_messages.show(kNoSite, kVanteloCaption, MessageIcon::Information);
        return;
    }
    const int forgotten = m_browser.forgetSiteCookies(url.host());
    const QString text = forgotten > 0 ? QString::fromLatin1(kCookiesForgotten).arg(url.host()).arg(forgotten)
                                       : QString::fromLatin1(kNoCookies).arg(url.host());
    m_messages.show(toStdString(text), kVanteloCaption, MessageIcon::Information);
}

void BrowserTabArea::find(const QString& text, bool backward)
{
    BrowserTab* current = tab(currentSlot());
    if (!current)
        return;
    m_findSlot = current->slot();
    const QWebEnginePage::FindFlags flags =
        backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    // Typing starts a search per key, and the answer to an earlier, cancelled one
    // can arrive after the answer to the text the bar now holds.
    current->page()->findText(text, flags, [this, text](const QWebEngineFindTextResult& result) {
        if (m_findBar->text() == text)
            m_findBar->showResult(result.activeMatch(), result.numberOfMatches());
    });
}

void BrowserTabArea::stopFinding()
{
    if (BrowserTab* searched = tab(m_findSlot))
        searched->page()->findText(QString());
    m_findSlot = -1;
}

void BrowserTabArea::placeTab(const TabOpening& opening, const QString& caption)
{
    const QString shown = toQString(tabCaption(toStdString(caption)));
    const int before = m_tabBar->currentIndex();
    // The tab bar selects the first tab added by itself; the slot must be known by then.
    const QSignalBlocker blocker(m_tabBar);
    int index = 0;
    switch (opening.placement) {
    case TabPlacement::Append:
        index = m_tabBar->addTab(shown);
        break;
    case TabPlacement::InsertFirst:
        index = m_tabBar->insertTab(0, shown);
        break;
    case TabPlacement::Replace:
        // The slot's own tab, wherever it went: a tab that shows another slot keeps it.
        index = indexOfSlot(opening.slot);
        if (index < 0)
            index = m_tabBar->insertTab(0, shown);
        m_tabBar->setTabText(index, shown);
        break;
    }
    m_tabBar->setTabData(index, opening.slot);
    m_tabBar->setTabToolTip(index, plainToolTip(caption));
    if (m_tabBar->currentIndex() != before || opening.placement == TabPlacement::Replace)
        LayoutControls();
}

void BrowserTabArea::updateFromTab(int slot)
{
    BrowserTab* changed = tab(slot);
    if (!changed || slot != currentSlot())
        return;
    m_address->setText(changed->location());
    m_address->setCursorPosition(0);
    m_navigation.backAction()->setEnabled(changed->canGoBack());
    m_navigation.forwardAction()->setEnabled(changed->canGoForward());
    updateProgress(*changed);
}

void BrowserTabArea::updateProgress(const BrowserTab& shown)
{
    const bool loading = shown.progress() >= 0;
    m_progress->setVisible(loading);
    m_progress->setValue(loading ? shown.progress() : 0);
    m_navigation.stopAction()->setEnabled(loading);
}

void BrowserTabArea::updateReciprocalButton(const TabFillState* fill)
{
    const SendingProfile::SiteProfile& profile = m_state.active().profile();
    m_toolBar->reciprocalAction()->setEnabled(reciprocalButtonEnabled(profile, fill));
    m_toolBar->reciprocalAction()->setToolTip(toQString(reciprocalButtonToolTip(profile, fill)));
}

void BrowserTabArea::queryPageRank(int slot, const QUrl& url)
{
    // Local pages (the built-in pages, a closed tab's blank page) have no PageRank to ask for.
    if (!isWebAddress(url)) {
        showPageRank(kUnknownPageRank, slot);
        return;
    }
    auto sink = std::make_shared<PageRankSink>(
        m_relay, [this](std::int32_t value, std::int32_t tag) { showPageRank(value, tag); });
    // The settings may have changed the PageRank provider since the last page.
    CSEOData(m_state.hosts())
        .Query(CSEOData::GooglePageRank, toStdString(url.toString()), {}, slot, std::move(sink));
}

void BrowserTabArea::showPageRank(std::int32_t pageRank, std::int32_t slot)
{
    if (slot < 0 || slot >= kTabSlotCount)
        return;
    m_slots[slot].pageRank = pageRank;
    if (slot == currentSlot())
        m_pageRank->setText(toQString(::pageRankLabel(pageRank)));
}

void BrowserTabArea::fillCopyMenu()
{
    for (const ProfileField field : kCopyMenuFields) {
        QAction* action = m_toolBar->copyMenu()->addAction(QString::fromLatin1(profileFieldCaption(field)));
        connect(action, &QAction::triggered, this, [this, field] {
            m_clipboard.setText(profileFieldText(field, m_state.active().profile(), m_random));
        });
    }
}

QWidget* BrowserTabArea::buildAddressLine()
{
    m_address->setReadOnly(true);
    m_addressLabel->setBuddy(m_address);
    m_pageRank->setMinimumWidth(m_pageRank->sizeHint().width());
    m_pageRank->setAlignment(Qt::AlignCenter);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(110);
    m_progress->hide();
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_addressLabel);
    layout->addWidget(m_address, 1);
    layout->addWidget(m_pageRank);
    layout->addWidget(m_progress);
    layout->addWidget(m_toolBar);
    return line;
}
