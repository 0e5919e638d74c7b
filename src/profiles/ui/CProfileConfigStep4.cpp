#include "profiles/ui/CProfileConfigStep4.h"

#include "profiles/ProfileWizardModel.h"
#include "widgets/QtText.h"

#include <QFormLayout>
#include <QLineEdit>

namespace SendingProfile {

namespace {

// The label, the object name and the profile's text of each field, in the order of ContactField.
struct LineSpec {
    const char* label;
    const char* objectName;
    std::string SiteProfile::*text;
};

constexpr LineSpec kLines[] = {
    { "&First name:", "firstNameEdit", &SiteProfile::fname },
    { "&Last name:", "lastNameEdit", &SiteProfile::lname },
    { "&E-mail address:", "emailEdit", &SiteProfile::email },
    { "&User name:", "userNameEdit", &SiteProfile::username },
    { "Pass&word:", "passwordEdit", &SiteProfile::password },
    { "&Address:", "addressEdit", &SiteProfile::address },
    { "&City:", "cityEdit", &SiteProfile::city },
    { "&Postal code:", "zipEdit", &SiteProfile::zip },
    { "&State or province:", "provinceEdit", &SiteProfile::province },
};

} // namespace

CProfileConfigStep4::CProfileConfigStep4(ProfileWizardModel& model, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
{
    setTitle(QStringLiteral("Profile Configuration - Step 4 of 4"));
    auto* layout = new QFormLayout(this);
    for (const LineSpec& line : kLines) {
        auto* edit = new QLineEdit;
        edit->setObjectName(line.objectName);
        layout->addRow(QString::fromUtf8(line.label), edit);
        m_fields.push_back({ edit, line.text });
    }
    field(kPassword)->setEchoMode(QLineEdit::Password);
}

void CProfileConfigStep4::initializePage()
{
    for (const Field& line : m_fields)
        line.edit->setText(toQString(m_model.fields().*line.text));
    field(kFirstName)->setFocus();
}

bool CProfileConfigStep4::validatePage()
{
    storeFields();
    return m_model.checkContactPage();
}

void CProfileConfigStep4::cleanupPage()
{
    storeFields();
}

void CProfileConfigStep4::storeFields()
{
    for (const Field& line : m_fields)
        m_model.fields().*line.text = toStdString(line.edit->text());
}

} // namespace SendingProfile
