#include "profiles/ui/ProfileProductPage.h"

#include "common/IFileDialog.h"
#include "profiles/CountryNames.h"
#include "profiles/ProfileWizardModel.h"
#include "widgets/QtText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <optional>

namespace SendingProfile {

namespace {

constexpr const char* kTitle = "Product and company";

struct LineSpec {
    const char* label;
    const char* objectName;
    std::string SiteProfile::*text;
};

// The text lines before the files, in order.
constexpr LineSpec kTopLines[] = {
    { "&Tagline:", "taglineEdit", &SiteProfile::tagline },
    { "&Company:", "companyEdit", &SiteProfile::company },
    { "P&hone:", "phoneEdit", &SiteProfile::phone },
};
// The text lines after the files, in order.
constexpr LineSpec kBottomLines[] = {
    { "T&witter:", "twitterEdit", &SiteProfile::twitter },
    { "Link&edIn:", "linkedinEdit", &SiteProfile::linkedin },
    { "&GitHub:", "githubEdit", &SiteProfile::github },
    { "&Facebook:", "facebookEdit", &SiteProfile::facebook },
    { "Fou&nded (year):", "foundedEdit", &SiteProfile::founded },
    { "T&ags:", "tagsEdit", &SiteProfile::tags },
};

const std::vector<FileFilter>& imageFilters()
{
    static const std::vector<FileFilter> filters = {
        { "Images", "*.png;*.jpg;*.jpeg;*.gif;*.webp;*.svg;*.ico;*.bmp" },
        { "All files", "*" },
    };
    return filters;
}

} // namespace

ProfileProductPage::ProfileProductPage(ProfileWizardModel& model, IFileDialog& files, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
    , m_files(&files)
    , m_country(new QComboBox)
    , m_pricing(new QComboBox)
    , m_screenshots(new QListWidget)
    , m_removeScreenshot(new QPushButton(QStringLiteral("Remove")))
{
    setTitle(QString::fromUtf8(kTitle));
    auto* layout = new QFormLayout(this);
    const auto addLines = [&](const auto& specs) {
        for (const LineSpec& spec : specs) {
            auto* edit = new QLineEdit;
            edit->setObjectName(spec.objectName);
            layout->addRow(QString::fromUtf8(spec.label), edit);
            m_lines.push_back({ edit, spec.text });
        }
    };
    addLines(kTopLines);
    lineFor(&SiteProfile::tagline)->setMaxLength(static_cast<int>(kMaxTaglineLength));

    m_country->setEditable(true);
    m_country->addItem(QString());
    for (const CountryName& country : countryNames())
        m_country->addItem(toQString(std::string(country.name)));
    layout->addRow(QStringLiteral("C&ountry:"), m_country);

    auto* logo = new QLineEdit;
    logo->setObjectName("logoEdit");
    auto* browse = new QPushButton(QStringLiteral("&Browse..."));
    browse->setObjectName("logoBrowseButton");
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ProfileProductPage::chooseLogo);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(logo);
    logoRow->addWidget(browse);
    auto* logoLabel = new QLabel(QStringLiteral("&Logo:"));
    logoLabel->setBuddy(logo);
    layout->addRow(logoLabel, logoRow);
    m_lines.push_back({ logo, &SiteProfile::logo });

    auto* add = new QPushButton(QStringLiteral("A&dd..."));
    add->setObjectName("addScreenshotButton");
    add->setAutoDefault(false);
    m_removeScreenshot->setObjectName("removeScreenshotButton");
    m_removeScreenshot->setAutoDefault(false);
    m_screenshots->setObjectName("screenshotList");
    m_screenshots->setMaximumHeight(72);
    connect(add, &QPushButton::clicked, this, &ProfileProductPage::addScreenshot);
    connect(m_removeScreenshot, &QPushButton::clicked, this, &ProfileProductPage::removeScreenshot);
    auto* shots = new QGridLayout;
    shots->addWidget(m_screenshots, 0, 0, 2, 1);
    shots->addWidget(add, 0, 1);
    shots->addWidget(m_removeScreenshot, 1, 1, Qt::AlignTop);
    auto* shotsLabel = new QLabel(QStringLiteral("&Screenshots:"));
    shotsLabel->setBuddy(m_screenshots);
    layout->addRow(shotsLabel, shots);

    addLines(kBottomLines);
    m_pricing->addItem(QString());
    for (const char* pricing : kPricingModels)
        m_pricing->addItem(QString::fromUtf8(pricing));
    layout->addRow(QStringLiteral("&Pricing:"), m_pricing);

    m_country->setObjectName("countryCombo");
    m_pricing->setObjectName("pricingCombo");
}

void ProfileProductPage::initializePage()
{
    const SiteProfile& fields = m_model.fields();
    for (const Line& line : m_lines)
        line.edit->setText(toQString(fields.*line.text));
    m_country->setCurrentText(toQString(fields.country));
    m_pricing->setCurrentIndex(std::max(0, m_pricing->findText(toQString(fields.pricing))));
    m_screenshots->clear();
    for (const std::string& path : fields.screenshots)
        m_screenshots->addItem(toQString(path));
    lineFor(&SiteProfile::tagline)->setFocus();
}

bool ProfileProductPage::validatePage()
{
    storeFields();
    switch (m_model.checkProductPage()) {
    case WizardFocus::None:
        return true;
    case WizardFocus::Tagline:
        lineFor(&SiteProfile::tagline)->setFocus();
        break;
    case WizardFocus::Founded:
        lineFor(&SiteProfile::founded)->setFocus();
        break;
    case WizardFocus::Logo:
        lineFor(&SiteProfile::logo)->setFocus();
        break;
    default:
        m_screenshots->setFocus();
        break;
    }
    return false;
}

void ProfileProductPage::cleanupPage()
{
    storeFields();
}

void ProfileProductPage::storeFields()
{
    SiteProfile& fields = m_model.fields();
    for (const Line& line : m_lines)
        fields.*line.text = toStdString(line.edit->text().trimmed());
    fields.country = toStdString(m_country->currentText().trimmed());
    fields.pricing = toStdString(m_pricing->currentText());
    fields.screenshots.clear();
    for (int row = 0; row < m_screenshots->count(); ++row)
        fields.screenshots.push_back(toStdString(m_screenshots->item(row)->text()));
}

std::string ProfileProductPage::chooseImage()
{
    const std::optional<ChosenFile> chosen =
        m_files->choose({ FileDialogRequest::Mode::Open, imageFilters(), {}, {} });
    return chosen ? chosen->path.string() : std::string();
}

void ProfileProductPage::chooseLogo()
{
    const std::string path = chooseImage();
    if (!path.empty())
        lineFor(&SiteProfile::logo)->setText(toQString(path));
}

void ProfileProductPage::addScreenshot()
{
    const std::string path = chooseImage();
    if (!path.empty())
        m_screenshots->addItem(toQString(path));
}

QLineEdit* ProfileProductPage::lineFor(std::string SiteProfile::*text) const
{
    for (const Line& line : m_lines) {
        if (line.text == text)
            return line.edit;
    }
    return nullptr;
}

void ProfileProductPage::removeScreenshot()
{
    delete m_screenshots->takeItem(m_screenshots->currentRow());
}

} // namespace SendingProfile
