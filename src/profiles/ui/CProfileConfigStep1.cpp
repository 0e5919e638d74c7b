#include "profiles/ui/CProfileConfigStep1.h"

#include "profiles/ProfileWizardModel.h"
#include "widgets/QtText.h"

#include <QFormLayout>
#include <QLineEdit>

namespace SendingProfile {

CProfileConfigStep1::CProfileConfigStep1(ProfileWizardModel& model, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
    , m_name(new QLineEdit)
{
    setTitle(QStringLiteral("Profile Configuration - Step 1 of 4"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Profile &name:"), m_name);

    m_name->setObjectName("nameEdit");
}

void CProfileConfigStep1::initializePage()
{
    m_name->setText(toQString(m_model.fields().name));
    m_name->setFocus();
}

bool CProfileConfigStep1::validatePage()
{
    m_model.fields().name = toStdString(m_name->text());
    if (m_model.checkNamePage() == WizardFocus::None)
        return true;
    m_name->setFocus();
    return false;
}

} // namespace SendingProfile
