#include "app/ui/BrowserTabArea.h"

#include "autofill/FieldRecognizer.h"

#include "app/MainWindowState.h"
#include "app/ProfileFieldCopy.h"
#include "app/ui/BrowserTab.h"
#include "app/ui/NavigationToolBar.h"
#include "app/ui/RefererInterceptor.h"
#include "app/ui/TabToolBar.h"
#include "app/ui/WindowRelay.h"
#include "autofill/FieldRecognizer.h"
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
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr const char* kBlankPage = "about:blank";

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
    const IClock& clock, IClipboard& clipboard, NavigationToolBar& navigation, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_messages(messages)
    , m_random(random)
    , m_clipboard(clipboard)
    , m_navigation(navigation)
    , m_filler(state.directories(), state.profiles(), random, clock, messages, clipboard)
    , m_relay(std::make_shared<WindowRelay>(this))
    , m_webProfile(new QWebEngineProfile(this))
    , m_referers(new RefererInterceptor(this))
    , m_tabBar(new QTabBar)
    , m_addressLabel(new QLabel(QStringLiteral("Address:")))
    , m_address(new QLineEdit)
    , m_pageRank(new QLabel(QStringLiteral("PR 10")))
    , m_progress(new QProgressBar)
    , m_toolBar(new TabToolBar)
    , m_views(new QStackedWidget)
{
    m_webProfile->setUrlRequestInterceptor(m_referers);
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabBar);
    layout->addWidget(frame, 1);

    connect(m_tabBar, &QTabBar::currentChanged, this, &BrowserTabArea::LayoutControls);
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
}

BrowserTabArea::~BrowserTabArea()
{
    m_relay->close();
    // The pages go before the browser profile they belong to.
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
    BrowserTab& opened = ensureTab(opening->slot);
    m_verdict[static_cast<std::size_t>(opening->slot)].clear();
    placeTab(*opening, toQString(caption));
    opened.navigate(address);
    if (select) {
        selectSlot(opening->slot);
        LayoutControls();
    }
    return opening->slot;
}

void BrowserTabArea::CloseCurrentTab()
{
    const int index = m_tabBar->currentIndex();
    const int slot = currentSlot();
    if (index < 0 || slot < 0)
        return;
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
    m_views->setCurrentWidget(current->view());
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
    for (int index = 0; index < m_tabBar->count(); ++index) {
        if (m_tabBar->tabData(index).toInt() == slot)
            m_tabBar->setCurrentIndex(index);
    }
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
        [this]() -> const SendingProfile::SiteProfile& { return m_state.active().profile(); }, m_webProfile,
        *m_referers);
    BrowserTab* created = existing.get();
    created->filler().setRecognizer([this]() -> const FieldRecognizer* {
        return recognizesForms(m_state.settings()) ? &FieldRecognizer::shipped() : nullptr;
    });
    m_views->addWidget(created->view());
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
    case TabPlacement::ReplaceFirst:
        m_tabBar->setTabText(0, shown);
        break;
    }
    m_tabBar->setTabData(index, opening.slot);
    m_tabBar->setTabToolTip(index, caption);
    if (m_tabBar->currentIndex() != before || opening.placement == TabPlacement::ReplaceFirst)
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
