#include "custom/ui/CDirectoryEditDialog.h"

#include "autofill/FieldRecognizer.h"
#include "custom/CustomCategories.h"
#include "custom/FormLearner.h"
#include "custom/ui/ProfileFieldList.h"
#include "filling/web/FillingWebPage.h"
#include "filling/web/WebFormBridge.h"
#include "stats/CSEOData.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <algorithm>

#include <mutex>

namespace {

constexpr const char* kAddCaption = "Add Custom Directory";
constexpr const char* kEditCaption = "Edit Custom Directory";
constexpr const char* kStepText = "Step %1 of 3";
constexpr const char* kNameLabel = "Directory Name:";
constexpr const char* kAddressLabel = "Directory Address:";
constexpr const char* kNameIntro =
    "Enter the name under which the directory is to be listed and the address of "
    "the page where sites are submitted to it.";
constexpr const char* kNameHelp = "The name under which the directory appears in your directory list. It is "
                                  "proposed from the address as you type it";
constexpr const char* kAddressHelp = "The address of the directory's submission page, for example "
                                     "http://www.example.com/submit.php";
constexpr const char* kBrowserIntro = "Browse to the directory's submission form and fill it in: drag the "
                                      "profile fields from the list onto the "
                                      "form's fields, or type into them. Every field you fill is remembered "
                                      "for this directory. Press Next when "
                                      "the form is filled; do not submit it.";
constexpr const char* kFieldsLabel = "Profile fields:";
constexpr const char* kFieldsHelp =
    "Drag a field onto a field of the form: Vantelo puts the profile's value there "
    "each time you submit your site to this directory";
constexpr const char* kDefaultPageText = "Set Default Page";
constexpr const char* kDefaultPageHelp = "Makes the page now shown the one that opens when you choose this "
                                         "directory, for example after you browsed to its submission form";
constexpr const char* kLearnPageText = "Learn this page";
constexpr const char* kLearnPageHelp =
    "Vantelo fills the form of the page shown as it understands it: the profile's fields go where "
    "their labels say. Check what it filled in, correct or clear what is wrong, and press Next";
constexpr const char* kLearnWaitText = "Wait until the page has loaded.";
constexpr const char* kNoFormText = "Vantelo recognises no submission form on this page. Fill it in "
                                    "yourself, or browse to the form first.";
constexpr const char* kLearnedText =
    "Vantelo filled in %1 fields of the form. Check them, correct what is wrong and press Next.";
constexpr const char* kCategoryLabel = "Category:";
constexpr const char* kSelectedLabel = "Selected categories";
constexpr const char* kCategoryHelp =
    "Your directory list can be filtered by category. Every directory you add "
    "is listed under Custom as well";
constexpr const char* kNextText = "Next";
constexpr const char* kSaveText = "Save and Close";
constexpr const char* kAddAnotherText = "Save and Add Another";
// The query kind of the directory's PageRank: its site root's, as the bulk
// import and the list checker ask it, so that the list checker's first run does
// not take the difference for a change.
constexpr std::int32_t kPageRankKind = CSEOData::HomePagePageRank;

} // namespace

// Hands the PageRank answer from the request's thread to the wizard as a queued
// call, as long as the wizard is there to take it.
class CDirectoryEditDialog::PageRankSink : public CSEOData::IResultSink {
public:
    explicit PageRankSink(CDirectoryEditDialog* dialog)
        : m_dialog(dialog)
    {
    }

    void detach()
    {
        std::lock_guard lock(m_mutex);
        m_dialog = nullptr;
    }

    void OnSEOResult(std::int32_t result, std::int32_t) override
    {
        // Under the lock the wizard cannot go before the call is queued; should it
        // go before the call runs, the queued call goes with it.
        std::lock_guard lock(m_mutex);
        if (!m_dialog)
            return;
        QMetaObject::invokeMethod(
            m_dialog.data(),
            [dialog = m_dialog, result] {
                if (dialog)
                    dialog->pageRankAnswered(result);
            },
            Qt::QueuedConnection);
    }

private:
    std::mutex m_mutex;
    QPointer<CDirectoryEditDialog> m_dialog;
};

CDirectoryEditDialog::CDirectoryEditDialog(DirectoryWizardModel model, HostConfiguration hosts,
    IMessageBox& messages, BrowserProfile* browser, QWidget* parent)
    : CDirectoryEditDialog(
        std::move(model),
        [seo = CSEOData(std::move(hosts))](
            const std::string& address, std::shared_ptr<CSEOData::IResultSink> sink) {
            return seo.Query(kPageRankKind, address, std::string(), 0, std::move(sink));
        },
        messages, browser, parent)
{
}

CDirectoryEditDialog::CDirectoryEditDialog(DirectoryWizardModel model, PageRankRequest askPageRank,
    IMessageBox& messages, BrowserProfile* browser, QWidget* parent)
    : QDialog(parent)
    , m_model(std::move(model))
    , m_askPageRank(std::move(askPageRank))
    , m_messages(messages)
    , m_browser(browser)
    , m_stepLabel(new QLabel(this))
    , m_steps(new QStackedWidget(this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
    , m_addAnother(new QPushButton(toQString(kAddAnotherText), this))
    , m_next(new QPushButton(toQString(kNextText), this))
{
    setWindowTitle(toQString(m_model.editing() ? kEditCaption : kAddCaption));
    m_steps->addWidget(buildNameStep());
    m_steps->addWidget(buildBrowserStep());
    m_steps->addWidget(buildSummaryStep());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : { m_addAnother, m_next, m_cancel }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    m_next->setDefault(true);
    QFont bold = m_stepLabel->font();
    bold.setBold(true);
    m_stepLabel->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stepLabel);
    layout->addWidget(m_steps, 1);
    layout->addLayout(buttons);

    connect(m_next, &QPushButton::clicked, this, &CDirectoryEditDialog::next);
    connect(m_addAnother, &QPushButton::clicked, this, [this] { save(true); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    showStep(kNameStep);
    resize(520, 260);

    m_stepLabel->setObjectName("stepLabel");
    m_name->setObjectName("nameEdit");
    m_address->setObjectName("addressEdit");
    m_page->setObjectName("webPage");
    m_fields->setObjectName("fieldList");
    m_defaultPage->setObjectName("defaultPageButton");
    m_learnPage->setObjectName("learnPageButton");
    m_learnStatus->setObjectName("learnStatus");
    m_progress->setObjectName("loadProgress");
    m_summary->setObjectName("summaryLabel");
    m_categoryBox->setObjectName("categoryBox");
    m_addCategory->setObjectName("addCategoryButton");
    m_removeCategory->setObjectName("removeCategoryButton");
    m_categories->setObjectName("categoryList");
    m_next->setObjectName("nextButton");
    m_addAnother->setObjectName("addAnotherButton");
    m_cancel->setObjectName("cancelButton");
}

CDirectoryEditDialog::~CDirectoryEditDialog()
{
    if (m_pageRankSink)
        m_pageRankSink->detach();
}

std::optional<DirectoryWizardModel> CDirectoryEditDialog::run(DirectoryWizardModel model,
    const HostConfiguration& hosts, IMessageBox& messages, BrowserProfile* browser, QWidget* parent)
{
    CDirectoryEditDialog wizard(std::move(model), hosts, messages, browser, parent);
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return wizard.m_model;
}

void CDirectoryEditDialog::done(int result)
{
    m_closed = true;
    // The page stops here, so that nothing it does reaches the wizard any more.
    m_page->triggerAction(QWebEnginePage::Stop);
    QDialog::done(result);
}

QWidget* CDirectoryEditDialog::buildNameStep()
{
    auto* step = new QWidget(this);
    m_name = new QLineEdit(toQString(m_model.name()), step);
    m_address = new QLineEdit(toQString(m_model.address()), step);
    // An edited directory keeps its name.
    m_name->setEnabled(!m_model.editing());
    auto* intro = new QLabel(toQString(kNameIntro), step);
    intro->setWordWrap(true);

    auto* grid = new QGridLayout(step);
    grid->addWidget(intro, 0, 0, 1, 2);
    auto* nameLabel = new QLabel(toQString(kNameLabel), step);
    nameLabel->setBuddy(m_name);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(withHelpIcon(step, m_name, toQString(kNameHelp)), 1, 1);
    auto* addressLabel = new QLabel(toQString(kAddressLabel), step);
    addressLabel->setBuddy(m_address);
    grid->addWidget(addressLabel, 2, 0);
    grid->addWidget(withHelpIcon(step, m_address, toQString(kAddressHelp)), 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    // Only the user's typing proposes a name: the address the wizard writes back
    // must not replace a name that was chosen and checked.
    connect(m_address, &QLineEdit::textEdited, this, &CDirectoryEditDialog::proposeName);
    return step;
}

QWidget* CDirectoryEditDialog::buildBrowserStep()
{
    auto* step = new QWidget(this);
    m_view = new QWebEngineView(step);
    // The main window's tabs and the wizard share one profile: a login made in one holds in the other.
    m_page = m_browser ? new FillingWebPage(*m_browser, m_view) : new FillingWebPage(m_view);
    m_view->setPage(m_page);
    m_bridge = new WebFormBridge(m_page, this);
    m_fields = new ProfileFieldList(step);
    m_defaultPage = new QPushButton(toQString(kDefaultPageText), step);
    m_defaultPage->setAutoDefault(false);
    m_learnPage = new QPushButton(toQString(kLearnPageText), step);
    m_learnPage->setAutoDefault(false);
    m_learnPage->setEnabled(false);
    m_learnStatus = new QLabel(step);
    m_learnStatus->setWordWrap(true);
    m_learnStatus->setMaximumWidth(200);
    m_progress = new QProgressBar(step);
    m_progress->setRange(0, 100);
    m_progress->hide();
    auto* intro = new QLabel(toQString(kBrowserIntro), step);
    intro->setWordWrap(true);

    auto* side = new QVBoxLayout;
    auto* fieldsLabel = new QLabel(toQString(kFieldsLabel), step);
    fieldsLabel->setBuddy(m_fields);
    side->addWidget(withHelpIcon(step, fieldsLabel, toQString(kFieldsHelp)));
    side->addWidget(m_fields, 1);
    side->addWidget(withHelpIcon(step, m_learnPage, toQString(kLearnPageHelp)));
    side->addWidget(m_learnStatus);
    side->addWidget(withHelpIcon(step, m_defaultPage, toQString(kDefaultPageHelp)));
    auto* browser = new QHBoxLayout;
    browser->addWidget(m_view, 1);
    browser->addLayout(side);
    auto* layout = new QVBoxLayout(step);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intro);
    layout->addLayout(browser, 1);
    layout->addWidget(m_progress);

    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        m_progress->setValue(0);
        m_progress->setVisible(m_step == kBrowserStep);
    });
    connect(m_page, &QWebEnginePage::loadProgress, m_progress, &QProgressBar::setValue);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        m_progress->hide();
        pageLoaded();
    });
    // Direct: the page being left must be described before its document goes.
    connect(m_page, &FillingWebPage::mainFrameNavigationStarting, this, &CDirectoryEditDialog::pageLeaving,
        Qt::DirectConnection);
    connect(m_defaultPage, &QPushButton::clicked, this, &CDirectoryEditDialog::setDefaultPage);
    connect(m_learnPage, &QPushButton::clicked, this, &CDirectoryEditDialog::learnPage);
    return step;
}

QWidget* CDirectoryEditDialog::buildSummaryStep()
{
    auto* step = new QWidget(this);
    auto* intro = new QLabel(toQString(DirectoryWizardModel::kSummaryIntro), step);
    intro->setWordWrap(true);
    m_summary = new QLabel(step);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_categoryBox = new QComboBox(step);
    m_categoryBox->setEditable(true);
    m_categoryBox->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& category : m_model.knownCategories()) {
        if (!category.empty())
            m_categoryBox->addItem(toQString(category));
    }
    m_categoryBox->setCurrentIndex(-1);
    m_addCategory = new QPushButton(QStringLiteral("&Add"), step);
    m_removeCategory = new QPushButton(QStringLiteral("&Remove"), step);
    m_categories = new QListWidget(step);
    for (QPushButton* button : { m_addCategory, m_removeCategory })
        button->setAutoDefault(false);

    auto* grid = new QGridLayout;
    auto* categoryLabel = new QLabel(toQString(kCategoryLabel), step);
    categoryLabel->setBuddy(m_categoryBox);
    grid->addWidget(categoryLabel, 0, 0);
    grid->addWidget(withHelpIcon(step, m_categoryBox, toQString(kCategoryHelp)), 0, 1);
    grid->addWidget(m_addCategory, 0, 2);
    auto* selectedLabel = new QLabel(toQString(kSelectedLabel), step);
    selectedLabel->setBuddy(m_categories);
    grid->addWidget(selectedLabel, 1, 1);
    grid->addWidget(m_categories, 2, 1);
    grid->addWidget(m_removeCategory, 2, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(step);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(intro);
    layout->addWidget(m_summary);
    layout->addLayout(grid, 1);

    connect(m_addCategory, &QPushButton::clicked, this, &CDirectoryEditDialog::addCategory);
    connect(m_removeCategory, &QPushButton::clicked, this, &CDirectoryEditDialog::removeCategory);
    showCategories(0);
    return step;
}

void CDirectoryEditDialog::showStep(int step)
{
    m_step = step;
    m_steps->setCurrentIndex(step);
    m_stepLabel->setText(toQString(kStepText).arg(step + 1));
    m_addAnother->setVisible(step == kSummaryStep);
    m_progress->setVisible(step == kBrowserStep && m_page->isLoading());
}

void CDirectoryEditDialog::next()
{
    switch (m_step) {
    case kNameStep:
        leaveNameStep();
        break;
    case kBrowserStep:
        leaveBrowserStep();
        break;
    default:
        save(false);
        break;
    }
}

void CDirectoryEditDialog::leaveNameStep()
{
    if (!m_model.editing())
        m_model.setName(toStdString(m_name->text()));
    m_model.setAddress(toStdString(m_address->text()));
    switch (m_model.checkFirstStep(m_messages)) {
    case DirectoryWizardModel::Focus::Name:
        m_name->setFocus();
        return;
    case DirectoryWizardModel::Focus::Address:
        m_address->setFocus();
        return;
    case DirectoryWizardModel::Focus::None:
        break;
    }
    m_address->setText(toQString(m_model.address()));
    showStep(kBrowserStep);
    resize(std::max(width(), 900), std::max(height(), 640));
    m_page->load(QUrl(toQString(m_model.address())));
    m_view->setFocus();
}

void CDirectoryEditDialog::leaveBrowserStep()
{
    m_next->setEnabled(false);
    m_addAnother->setEnabled(false);
    std::optional<FormMappingLearner::LoadedPage> loaded = m_model.mapping().disarm();
    if (!loaded) {
        enterSummary();
        return;
    }
    // The page keeps its content; what the user filled in is learned first.
    QPointer<CDirectoryEditDialog> self(this);
    m_bridge->describe([self, loaded = std::move(*loaded)](WebPageDescription page) {
        if (!self || self->m_closed)
            return;
        if (page.status == WebPageDescription::Status::Described
            && page.model.documentToken() == loaded.document)
            self->m_model.mapping().learn(page.model, loaded);
        self->enterSummary();
    });
}

void CDirectoryEditDialog::enterSummary()
{
    showStep(kSummaryStep);
    m_next->setText(toQString(kSaveText));
    m_next->setEnabled(false);
    m_addAnother->setEnabled(false);
    m_summary->setText(toQString(m_model.summary()));
    m_pageRankSink = std::make_shared<PageRankSink>(this);
    // A request that could not start never answers; Save must not wait for it.
    if (m_askPageRank(m_model.address(), m_pageRankSink) == -1)
        pageRankAnswered(-1);
    resize(std::max(width(), 560), height());
    m_categoryBox->setFocus();
}

void CDirectoryEditDialog::save(bool addAnother)
{
    const QPushButton* pressed = addAnother ? m_addAnother : m_next;
    if (m_step != kSummaryStep || !pressed->isEnabled())
        return;
    m_model.setAddAnother(addAnother);
    accept();
}

void CDirectoryEditDialog::proposeName(const QString& address)
{
    if (const std::optional<std::string> name = m_model.nameForAddress(toStdString(address)))
        m_name->setText(toQString(*name));
}

// Writes the presets and the mapping into the page that finished loading; once
// the writes are on the page, the page is armed for learning.
void CDirectoryEditDialog::pageLoaded()
{
    if (m_step != kBrowserStep || m_closed)
        return;
    const quint64 navigation = m_navigations;
    auto loaded = std::make_shared<std::optional<FormMappingLearner::LoadedPage>>();
    m_bridge->run(
        [this, loaded](FormDocumentModel& page) {
            *loaded = m_model.mapping().writeInto(page);
            (*loaded)->document = page.documentToken();
        },
        [this, loaded, navigation](const WebFormRun& run) {
            if (m_closed || m_step != kBrowserStep || navigation != m_navigations || !*loaded
                || run.end != WebFormRun::End::Applied)
                return;
            // Should a write have missed its field, no item leaves the mapping.
            if (run.skipped > 0)
                (*loaded)->written.clear();
            m_model.mapping().pageReady(std::move(**loaded));
            showLearnReady();
        });
}

// The page starts navigating away: what the user filled in there is learned
// from its description, taken before the next document replaces it.
void CDirectoryEditDialog::pageLeaving()
{
    ++m_navigations;
    m_learnPage->setEnabled(false);
    m_learnStatus->clear();
    if (m_step != kBrowserStep || m_closed)
        return;
    std::optional<FormMappingLearner::LoadedPage> loaded = m_model.mapping().disarm();
    if (!loaded)
        return;
    QPointer<CDirectoryEditDialog> self(this);
    m_bridge->describeLeaving([self, loaded = std::move(*loaded)](WebPageDescription page) {
        if (!self || self->m_closed)
            return;
        if (page.status == WebPageDescription::Status::Described
            && page.model.documentToken() == loaded.document)
            self->m_model.mapping().learn(page.model, loaded);
    });
}

void CDirectoryEditDialog::showLearnReady()
{
    m_learnPage->setEnabled(true);
    m_learnStatus->clear();
}

// Fills the page's form as the recogniser understands it. The fields written
// are learned from the page's difference like the user's own filling, so the
// user corrects them on the page; what the page cannot show is kept at once.
void CDirectoryEditDialog::learnPage()
{
    if (m_step != kBrowserStep || m_closed)
        return;
    if (!m_model.mapping().armed()) {
        m_learnStatus->setText(toQString(kLearnWaitText));
        return;
    }
    const quint64 navigation = m_navigations;
    auto learned = std::make_shared<std::optional<LearnedForm>>();
    auto kept = std::make_shared<std::vector<DirectoryItem>>();
    m_learnPage->setEnabled(false);
    m_bridge->run(
        [learned, kept](FormDocumentModel& page) {
            *learned = learnSubmissionForm(page, FieldRecognizer::shipped());
            if ((*learned)->found)
                *kept = showLearnedForm(page, **learned);
        },
        [this, learned, kept, navigation](const WebFormRun& run) {
            if (m_closed || m_step != kBrowserStep || navigation != m_navigations)
                return;
            m_learnPage->setEnabled(true);
            if (!*learned || run.end != WebFormRun::End::Applied) {
                m_learnStatus->setText(toQString(kLearnWaitText));
                return;
            }
            if (!(*learned)->found) {
                m_learnStatus->setText(toQString(kNoFormText));
                return;
            }
            m_model.mapping().keep(*kept);
            m_learnStatus->setText(toQString(kLearnedText).arg((*learned)->items.size()));
        });
}

void CDirectoryEditDialog::setDefaultPage()
{
    const QString location = m_page->url().toString();
    if (location.isEmpty())
        return;
    m_model.setAddress(toStdString(location));
    m_address->setText(location);
}

void CDirectoryEditDialog::pageRankAnswered(std::int32_t pageRank)
{
    if (m_closed || m_step != kSummaryStep)
        return;
    m_model.pageRankAnswered(pageRank);
    m_summary->setText(toQString(m_model.summary()));
    m_next->setEnabled(true);
    m_addAnother->setEnabled(!m_model.editing());
}

void CDirectoryEditDialog::addCategory()
{
    if (addCategoryEntry(m_model.selectedCategories(), toStdString(m_categoryBox->currentText())))
        showCategories(static_cast<int>(m_model.selectedCategories().size()) - 1);
}

void CDirectoryEditDialog::removeCategory()
{
    const int row = m_categories->currentRow();
    if (row < 0)
        return;
    showCategories(removeCategoryEntry(m_model.selectedCategories(), row));
}

void CDirectoryEditDialog::showCategories(int selected)
{
    m_categories->clear();
    for (const std::string& category : m_model.selectedCategories())
        m_categories->addItem(toQString(category));
    m_categories->setCurrentRow(selected);
    m_removeCategory->setEnabled(m_categories->count() > 0);
}
