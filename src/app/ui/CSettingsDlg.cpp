#include "app/ui/CSettingsDlg.h"

#include "app/AutosaveRules.h"
#include "common/IMessageBox.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QCheckBox>
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

constexpr const char* kCookiesAndSiteData = "cookies and site data";
constexpr const char* kCache = "the cache";
constexpr const char* kAnd = " and ";

} // namespace

CSettingsDlg::CSettingsDlg(
    const MainSettings& settings, IMessageBox& messages, BrowsingDataClearer clear, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_autosave(new QCheckBox(QStringLiteral("&Autosave submission progress")))
    , m_interval(new QLineEdit(QString::number(settings.autosaveMinutes)))
    , m_autoUpdate(new QCheckBox(QStringLiteral("Enable automatic &updates")))
    , m_tabbed(new QCheckBox(QStringLiteral("Enable &tabbed browsing")))
    , m_recognizeForms(
          new QCheckBox(QStringLiteral("&Recognise and fill fields that no directory describes")))
    , m_autosaveHelp(new CStaticHelp(QString::fromLatin1(kAutosaveHelp), this))
    , m_autoUpdateHelp(new CStaticHelp(QString::fromLatin1(kAutoUpdateHelp), this))
    , m_tabbedHelp(new CStaticHelp(QString::fromLatin1(kTabbedBrowsingHelp), this))
    , m_recognizeFormsHelp(new CStaticHelp(QString::fromLatin1(kRecognizeFormsHelp), this))
    , m_clear(std::move(clear))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    m_autosave->setChecked(settings.autosave);
    m_autoUpdate->setChecked(settings.autoUpdate);
    m_tabbed->setChecked(settings.tabbedBrowsing);
    m_recognizeForms->setChecked(recognizesForms(settings));
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
    options->setColumnStretch(0, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
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
    m_settings.autosave = m_autosave->isChecked();
    m_settings.autosaveMinutes = effectiveAutosaveMinutes(*minutes);
    m_settings.autoUpdate = m_autoUpdate->isChecked();
    m_settings.tabbedBrowsing = m_tabbed->isChecked();
    // Left as it was, a file without the key stays without it.
    if (m_settings.recognizeForms || m_recognizeForms->isChecked() != recognizesForms(m_settings))
        m_settings.recognizeForms = m_recognizeForms->isChecked();
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
