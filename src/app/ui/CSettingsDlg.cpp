#include "app/ui/CSettingsDlg.h"

#include "app/AutosaveRules.h"
#include "common/IMessageBox.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kAutosaveHelp =
    "Select this option if you want Vantelo to save your custom directory list changes and submission status "
    "at "
    "regular intervals to prevent data loss in the case of unexpected events.";
constexpr const char* kAutoUpdateHelp = "Enable this option to make Vantelo notify you of any updates "
                                        "available to the directory list or main program "
                                        "and give you the option to download them.";
constexpr const char* kTabbedBrowsingHelp =
    "When using tabbed browsing, each directory will be loaded in a new tab allowing you to have multiple "
    "directories open at the same time. Using this option you can increase the submission speed (by "
    "submitting to "
    "a directory and at the same letting other directories load in other tabs for example).";

constexpr const char* kRecognizeFormsHelp =
    "Vantelo fills the fields that a directory's form description names. With this option it also fills the "
    "fields it recognises by their labels, placeholders and names: title, URL, description, keywords, your "
    "name, e-mail and address, the category and the terms check box. It leaves alone captchas, hidden "
    "fields, phone numbers, paid options and login, search and newsletter forms.";

constexpr const char* kOpenNextHelp =
    "When a directory confirms your submission, Vantelo records it and, a moment later, opens the next "
    "directory still to do in the same tab, in the order and filter of the directory table. Without this "
    "option the confirmation stays until you press Next Directory (F8).";

constexpr const char* kCookiesAndSiteData = "cookies and site data";
constexpr const char* kCache = "the cache";
constexpr const char* kAnd = " and ";

constexpr const char* kStatisticsHelp =
    "PageRank: Open PageRank gives a free PageRank (0 to 10) for up to 100 sites a request, 10,000 requests "
    "an "
    "hour, with a free key; the toolbar query is kept for compatible mirrors. Search statistics: Brave "
    "Search (key needed, free plan available) gives search positions; a SearXNG instance of your own gives "
    "positions and, where its engines report one, the count of indexed pages. No API gives inbound link "
    "counts: the snapshot shows those as n/a. The traffic rank comes from the Tranco list of the top million "
    "sites, downloaded when a snapshot needs it.";

using PageRankProvider = StatisticsServices::PageRankProvider;
using SearchProvider = StatisticsServices::SearchProvider;

QLabel* keyLink(const char* url)
{
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">Get a key</a>").arg(QString::fromLatin1(url)));
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return link;
}

} // namespace

CSettingsDlg::CSettingsDlg(const MainSettings& settings, IMessageBox& messages, QWidget* parent)
    : CSettingsDlg(settings, StatisticsServices {}, messages, {}, parent)
{
}

CSettingsDlg::CSettingsDlg(const MainSettings& settings, const StatisticsServices& services,
    IMessageBox& messages, BrowsingDataClearer clear, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_services(services)
    , m_messages(messages)
    , m_autosave(new QCheckBox(QStringLiteral("&Autosave submission progress")))
    , m_interval(new QLineEdit(QString::number(settings.autosaveMinutes)))
    , m_autoUpdate(new QCheckBox(QStringLiteral("Enable automatic &updates")))
    , m_tabbed(new QCheckBox(QStringLiteral("Enable &tabbed browsing")))
    , m_recognizeForms(
          new QCheckBox(QStringLiteral("&Recognise and fill fields that no directory describes")))
    , m_openNext(new QCheckBox(QStringLiteral("After a recorded submission, open the &next directory")))
    , m_autosaveHelp(new CStaticHelp(QString::fromLatin1(kAutosaveHelp), this))
    , m_autoUpdateHelp(new CStaticHelp(QString::fromLatin1(kAutoUpdateHelp), this))
    , m_tabbedHelp(new CStaticHelp(QString::fromLatin1(kTabbedBrowsingHelp), this))
    , m_recognizeFormsHelp(new CStaticHelp(QString::fromLatin1(kRecognizeFormsHelp), this))
    , m_openNextHelp(new CStaticHelp(QString::fromLatin1(kOpenNextHelp), this))
    , m_pageRankProvider(new QComboBox)
    , m_openPageRankKey(new QLineEdit(toQString(services.openPageRankKey)))
    , m_searchProvider(new QComboBox)
    , m_braveKey(new QLineEdit(toQString(services.braveKey)))
    , m_searxngUrl(new QLineEdit(toQString(services.searxngUrl)))
    , m_clear(std::move(clear))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    m_autosave->setChecked(settings.autosave);
    m_autoUpdate->setChecked(settings.autoUpdate);
    m_tabbed->setChecked(settings.tabbedBrowsing);
    m_recognizeForms->setChecked(recognizesForms(settings));
    m_openNext->setChecked(opensNextAfterSubmission(settings));
    m_interval->setFixedWidth(m_interval->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    m_interval->setEnabled(settings.autosave);
    connect(m_autosave, &QCheckBox::toggled, m_interval, &QLineEdit::setEnabled);

    auto* every = new QHBoxLayout;
    every->addSpacing(22);
    auto* everyLabel = new QLabel(QStringLiteral("Autosave &every"));
    everyLabel->setBuddy(m_interval);
    every->addWidget(everyLabel);
    every->addWidget(m_interval);
    every->addWidget(new QLabel(QStringLiteral("minutes")));
    every->addStretch(1);

    auto* options = new QGridLayout;
    options->addWidget(m_autosave, 0, 0);
    options->addWidget(m_autosaveHelp, 0, 1);
    options->addLayout(every, 1, 0);
    options->addWidget(m_autoUpdate, 2, 0);
    options->addWidget(m_autoUpdateHelp, 2, 1);
    options->addWidget(m_tabbed, 3, 0);
    options->addWidget(m_tabbedHelp, 3, 1);
    options->addWidget(m_recognizeForms, 4, 0);
    options->addWidget(m_recognizeFormsHelp, 4, 1);
    options->addWidget(m_openNext, 5, 0);
    options->addWidget(m_openNextHelp, 5, 1);
    options->setColumnStretch(0, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(statisticsBox());
    if (m_clear)
        layout->addWidget(buildBrowsingData());
    layout->addSpacing(8);
    layout->addWidget(buttons);

    m_autosave->setObjectName("autosaveBox");
    m_interval->setObjectName("intervalEdit");
    m_autoUpdate->setObjectName("autoUpdateBox");
    m_tabbed->setObjectName("tabbedBrowsingBox");
    m_autosaveHelp->setObjectName("autosaveHelp");
    m_autoUpdateHelp->setObjectName("autoUpdateHelp");
    m_tabbedHelp->setObjectName("tabbedBrowsingHelp");
    m_recognizeForms->setObjectName("recognizeFormsBox");
    m_recognizeFormsHelp->setObjectName("recognizeFormsHelp");
    m_openNext->setObjectName("openNextBox");
    m_openNextHelp->setObjectName("openNextHelp");
    m_pageRankProvider->setObjectName("pageRankProviderBox");
    m_openPageRankKey->setObjectName("openPageRankKeyEdit");
    m_searchProvider->setObjectName("searchProviderBox");
    m_braveKey->setObjectName("braveKeyEdit");
    m_searxngUrl->setObjectName("searxngUrlEdit");
}

void CSettingsDlg::offerDirectoryLists(std::function<void()> open)
{
    auto* box = new QGroupBox(QStringLiteral("Directory lists"));
    auto* row = new QHBoxLayout(box);
    auto* text =
        new QLabel(QStringLiteral("Lists of directories followed at their addresses, kept up to date "
                                  "with Tools > Update Lists."));
    text->setWordWrap(true);
    auto* button = new QPushButton(QStringLiteral("Directory &Lists..."));
    button->setAutoDefault(false);
    button->setObjectName("directoryListsButton");
    row->addWidget(text, 1);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, std::move(open));
    // Above the spacing and the OK and Cancel buttons.
    if (auto* layout = qobject_cast<QVBoxLayout*>(this->layout()))
        layout->insertWidget(layout->count() - 2, box);
}

QWidget* CSettingsDlg::statisticsBox()
{
    m_pageRankProvider->addItem(
        QStringLiteral("Open PageRank"), static_cast<int>(PageRankProvider::OpenPageRank));
    m_pageRankProvider->addItem(
        QStringLiteral("Toolbar query (compatible mirror)"), static_cast<int>(PageRankProvider::Toolbar));
    m_pageRankProvider->setCurrentIndex(m_pageRankProvider->findData(static_cast<int>(m_services.pageRank)));
    m_searchProvider->addItem(
        QStringLiteral("Search engines' web pages"), static_cast<int>(SearchProvider::Web));
    m_searchProvider->addItem(QStringLiteral("Brave Search API"), static_cast<int>(SearchProvider::Brave));
    m_searchProvider->addItem(QStringLiteral("SearXNG instance"), static_cast<int>(SearchProvider::SearXng));
    m_searchProvider->setCurrentIndex(m_searchProvider->findData(static_cast<int>(m_services.search)));
    m_searxngUrl->setPlaceholderText(QStringLiteral("https://searx.example.org"));

    // A key typed where there was none means the user wants that service.
    connect(m_openPageRankKey, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty() && m_services.openPageRankKey.empty())
            m_pageRankProvider->setCurrentIndex(
                m_pageRankProvider->findData(static_cast<int>(PageRankProvider::OpenPageRank)));
    });
    connect(m_searchProvider, &QComboBox::currentIndexChanged, this, &CSettingsDlg::updateServiceFields);

    auto* box = new QGroupBox(QStringLiteral("Site statistics"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("&PageRank from:")), 0, 0);
    grid->addWidget(m_pageRankProvider, 0, 1);
    auto* help = new CStaticHelp(QString::fromLatin1(kStatisticsHelp), this);
    help->setObjectName("statisticsHelp");
    grid->addWidget(help, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Open PageRank &key:")), 1, 0);
    grid->addWidget(m_openPageRankKey, 1, 1);
    grid->addWidget(keyLink(StatisticsServices::kOpenPageRankSignUpUrl), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("&Search statistics from:")), 2, 0);
    grid->addWidget(m_searchProvider, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("&Brave Search key:")), 3, 0);
    grid->addWidget(m_braveKey, 3, 1);
    grid->addWidget(keyLink(StatisticsServices::kBraveSignUpUrl), 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Search&XNG address:")), 4, 0);
    grid->addWidget(m_searxngUrl, 4, 1);
    for (int row = 0; row < grid->rowCount(); ++row)
        if (auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget()))
            label->setBuddy(grid->itemAtPosition(row, 1)->widget());
    grid->setColumnStretch(1, 1);
    updateServiceFields();
    return box;
}

void CSettingsDlg::updateServiceFields()
{
    const auto search = static_cast<SearchProvider>(m_searchProvider->currentData().toInt());
    m_braveKey->setEnabled(search == SearchProvider::Brave);
    m_searxngUrl->setEnabled(search == SearchProvider::SearXng);
}

void CSettingsDlg::accept()
{
    const std::optional<int> minutes = parseIntervalText(toStdString(m_interval->text()));
    if (!minutes) {
        m_messages.show(kNotAnInteger, kVanteloCaption, MessageIcon::Warning);
        m_interval->setFocus();
        m_interval->selectAll();
        return;
    }
    const std::string searxng = toStdString(m_searxngUrl->text().trimmed());
    if (!searxng.empty() && !StatisticsServices::isServiceUrl(searxng)) {
        m_messages.show(kNotAnAddress, kVanteloCaption, MessageIcon::Warning);
        m_searxngUrl->setFocus();
        return;
    }
    m_services.pageRank = static_cast<PageRankProvider>(m_pageRankProvider->currentData().toInt());
    m_services.openPageRankKey = toStdString(m_openPageRankKey->text().trimmed());
    m_services.search = static_cast<SearchProvider>(m_searchProvider->currentData().toInt());
    m_services.braveKey = toStdString(m_braveKey->text().trimmed());
    m_services.searxngUrl = searxng;
    m_settings.autosave = m_autosave->isChecked();
    m_settings.autosaveMinutes = effectiveAutosaveMinutes(*minutes);
    m_settings.autoUpdate = m_autoUpdate->isChecked();
    m_settings.tabbedBrowsing = m_tabbed->isChecked();
    // Left as it was, a file without the key stays without it.
    if (m_settings.recognizeForms || m_recognizeForms->isChecked() != recognizesForms(m_settings))
        m_settings.recognizeForms = m_recognizeForms->isChecked();
    if (m_settings.openNextAfterSubmission || m_openNext->isChecked() != opensNextAfterSubmission(m_settings))
        m_settings.openNextAfterSubmission = m_openNext->isChecked();
    QDialog::accept();
}

QWidget* CSettingsDlg::buildBrowsingData()
{
    auto* group = new QGroupBox(QStringLiteral("Browser"));
    m_clearCookies = new QCheckBox(QStringLiteral("C&ookies and site data"));
    m_clearCache = new QCheckBox(QStringLiteral("Cac&hed pages and pictures"));
    m_clearButton = new QPushButton(QStringLiteral("&Clear browsing data..."));
    m_clearCookies->setObjectName("clearCookiesBox");
    m_clearCache->setObjectName("clearCacheBox");
    m_clearButton->setObjectName("clearBrowsingDataButton");
    m_clearCookies->setChecked(true);
    m_clearCache->setChecked(true);
    m_clearButton->setAutoDefault(false);
    auto* layout = new QGridLayout(group);
    layout->addWidget(m_clearCookies, 0, 0);
    layout->addWidget(m_clearCache, 1, 0);
    layout->addWidget(m_clearButton, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    layout->setColumnStretch(0, 1);
    connect(m_clearButton, &QPushButton::clicked, this, &CSettingsDlg::clearBrowsingData);
    return group;
}

void CSettingsDlg::clearBrowsingData()
{
    const BrowsingData what { m_clearCookies->isChecked(), m_clearCache->isChecked() };
    if (!what.cookiesAndSiteData && !what.cache) {
        m_messages.show(kChooseWhatToClear, kVanteloCaption, MessageIcon::Information);
        return;
    }
    QString chosen = QString::fromLatin1(what.cookiesAndSiteData ? kCookiesAndSiteData : kCache);
    if (what.cookiesAndSiteData && what.cache)
        chosen += QString::fromLatin1(kAnd) + QString::fromLatin1(kCache);
    QString question = QString::fromLatin1(kClearQuestion).arg(chosen);
    if (what.cookiesAndSiteData)
        question += QString::fromLatin1(kSignedOut);
    if (m_messages.ask(toStdString(question), kVanteloCaption, MessageButtons::YesNo, MessageIcon::Warning)
        != MessageAnswer::Yes)
        return;
    m_clear(what);
    std::string done = kCleared;
    if (what.cookiesAndSiteData)
        done += kSiteDataAtStart;
    m_messages.show(done, kVanteloCaption, MessageIcon::Information);
}
