#include "profiles/ui/CProfileConfigStep3.h"

#include "net/ReciprocalScript.h"
#include "profiles/ProfileWizardModel.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace SendingProfile {

namespace {

constexpr const char* kManualHelp =
    "Use this option if you don't plan to use reciprocal submissions for this profile or if you will "
    "manually add the reciprocal links to your page. In this case enter below the internet address where "
    "you will place the links.";
constexpr const char* kAutomaticHelp =
    "Use this option if you want to use the Vantelo automatic reciprocal feature. This way you will be "
    "able to add the correct reciprocal link to your site with a single click for any directory you "
    "choose. Before being able to use this you must upload and configure the PHP script shipped with "
    "Vantelo to your server. Please consult the user manual for more details.";
constexpr const char* kPasswordHelp =
    "Please enter the password you choosed for the reciprocal script authentication.";
constexpr const char* kConfigHelp =
    "Enter the full internet address (usually http://.../interact.php) where you uploaded the reciprocal "
    "management script provided with Vantelo. This must be the address of the interact.php file.";

constexpr const char* kInsecureAddress =
    "This address starts with http://, so the script's password would cross the network unencrypted. Use "
    "https:// if your web site offers it.";

CStaticHelp* helpIcon(const char* text)
{
    return new CStaticHelp(QString::fromUtf8(text), nullptr);
}

QLabel* labelFor(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

} // namespace

CProfileConfigStep3::CProfileConfigStep3(
    ProfileWizardModel& model, IMessageBox& messages, IWaitDialog& wait, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
    , m_messages(messages)
    , m_wait(wait)
    , m_manual(new QRadioButton(QStringLiteral("&Manual or no reciprocal link")))
    , m_automatic(new QRadioButton(QStringLiteral("&Automatic reciprocal configuration")))
    , m_reciprocal(new QLineEdit)
    , m_config(new QLineEdit)
    , m_password(new QLineEdit)
    , m_test(new QPushButton(QStringLiteral("Test Configuration")))
    , m_insecureAddress(new QLabel(QString::fromUtf8(kInsecureAddress)))
    , m_manualHelp(helpIcon(kManualHelp))
    , m_automaticHelp(helpIcon(kAutomaticHelp))
    , m_configHelp(helpIcon(kConfigHelp))
    , m_passwordHelp(helpIcon(kPasswordHelp))
{
    setTitle(QStringLiteral("Profile configuration - step 3 of 4"));
    auto* methods = new QButtonGroup(this);
    methods->addButton(m_manual, kReciprocalManual);
    methods->addButton(m_automatic, kReciprocalAutomatic);
    connect(m_manual, &QRadioButton::toggled, this, &CProfileConfigStep3::enableMethodFields);
    m_password->setEchoMode(QLineEdit::Password);
    m_test->setAutoDefault(false);
    connect(m_test, &QPushButton::clicked, this, &CProfileConfigStep3::testConfiguration);
    m_insecureAddress->setObjectName(QStringLiteral("insecureAddressWarning"));
    m_insecureAddress->setWordWrap(true);
    m_insecureAddress->hide();
    connect(m_config, &QLineEdit::textChanged, this, &CProfileConfigStep3::warnOfInsecureAddress);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_manual, 0, 0, 1, 2);
    layout->addWidget(m_manualHelp, 0, 2);
    layout->addWidget(labelFor(QStringLiteral("Reciprocal links &page:"), m_reciprocal), 1, 0);
    layout->addWidget(m_reciprocal, 1, 1);
    layout->addWidget(m_automatic, 2, 0, 1, 2);
    layout->addWidget(m_automaticHelp, 2, 2);
    layout->addWidget(labelFor(QStringLiteral("Script a&ddress:"), m_config), 3, 0);
    layout->addWidget(m_config, 3, 1);
    layout->addWidget(m_configHelp, 3, 2);
    layout->addWidget(m_insecureAddress, 4, 1, 1, 2);
    layout->addWidget(labelFor(QStringLiteral("Pass&word:"), m_password), 5, 0);
    layout->addWidget(m_password, 5, 1);
    layout->addWidget(m_passwordHelp, 5, 2);
    layout->addWidget(m_test, 6, 1, Qt::AlignLeft);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(7, 1);

    const std::vector<QWidget*> order { m_manual, m_reciprocal, m_automatic, m_config, m_password, m_test };
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_manual->setObjectName("manualButton");
    m_automatic->setObjectName("automaticButton");
    m_reciprocal->setObjectName("reciprocalEdit");
    m_config->setObjectName("configEdit");
    m_password->setObjectName("scriptPasswordEdit");
    m_test->setObjectName("testButton");
    m_manualHelp->setObjectName("manualHelp");
    m_automaticHelp->setObjectName("automaticHelp");
    m_configHelp->setObjectName("configHelp");
    m_passwordHelp->setObjectName("passwordHelp");
}

void CProfileConfigStep3::initializePage()
{
    const SiteProfile& fields = m_model.fields();
    // Only 1 means the script; any other stored number is taken as by hand.
    (fields.reciprocalMethod == kReciprocalAutomatic ? m_automatic : m_manual)->setChecked(true);
    m_reciprocal->setText(toQString(fields.reciprocal));
    m_config->setText(toQString(fields.reciprocalConfig));
    m_password->setText(toQString(fields.reciprocalPassword));
    enableMethodFields();
}

bool CProfileConfigStep3::validatePage()
{
    storeFields();
    return true;
}

void CProfileConfigStep3::cleanupPage()
{
    storeFields();
}

void CProfileConfigStep3::enableMethodFields()
{
    const bool automatic = m_automatic->isChecked();
    m_reciprocal->setEnabled(!automatic);
    m_config->setEnabled(automatic);
    m_password->setEnabled(automatic);
    m_test->setEnabled(automatic);
    warnOfInsecureAddress();
}

void CProfileConfigStep3::warnOfInsecureAddress()
{
    m_insecureAddress->setVisible(
        m_automatic->isChecked() && ReciprocalScript::sendsPasswordInClear(toStdString(m_config->text())));
}

void CProfileConfigStep3::testConfiguration()
{
    ReciprocalScript(m_messages, m_wait)
        .TestConfiguration(toStdString(m_config->text()), toStdString(m_password->text()));
}

void CProfileConfigStep3::storeFields()
{
    SiteProfile& fields = m_model.fields();
    fields.reciprocalMethod = m_automatic->isChecked() ? kReciprocalAutomatic : kReciprocalManual;
    fields.reciprocal = toStdString(m_reciprocal->text());
    fields.reciprocalConfig = toStdString(m_config->text());
    fields.reciprocalPassword = toStdString(m_password->text());
}

} // namespace SendingProfile
