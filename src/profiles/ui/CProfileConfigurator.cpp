#include "profiles/ui/CProfileConfigurator.h"

#include "profiles/ProfileStore.h"
#include "profiles/ui/CProfileConfigStep1.h"
#include "profiles/ui/CProfileConfigStep2.h"
#include "profiles/ui/CProfileConfigStep3.h"
#include "profiles/ui/CProfileConfigStep4.h"
#include "profiles/ui/CProfileConfigStep5.h"
#include "profiles/ui/ProfileProductPage.h"
#include "widgets/QtFileDialog.h"

#include <utility>

namespace SendingProfile {

CProfileConfigurator::CProfileConfigurator(
    ProfileWizardModel model, IMessageBox& messages, IWaitDialog& wait, QWidget* parent)
    : QWizard(parent)
    , m_model(std::move(model))
    , m_step1(new CProfileConfigStep1(m_model))
    , m_step2(new CProfileConfigStep2(m_model, messages))
    , m_step3(new CProfileConfigStep3(m_model, messages, wait))
    , m_step4(new CProfileConfigStep4(m_model))
    , m_step5(new CProfileConfigStep5(m_model))
    , m_systemFiles(std::make_unique<QtFileDialog>(this))
    , m_product(new ProfileProductPage(m_model, *m_systemFiles))
{
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::HaveHelpButton, false);
    setPage(kNamePage, m_step1);
    setPage(kSitePage, m_step2);
    setPage(kReciprocalPage, m_step3);
    setPage(kContactPage, m_step4);
    setPage(kProductPage, m_product);
    setPage(kPhrasesPage, m_step5);
    setStartId(m_model.skipsNamePage() ? kSitePage : kNamePage);
    connect(this, &QWizard::currentIdChanged, this, &CProfileConfigurator::showPageTitle);

    m_step1->setObjectName("namePage");
    m_step2->setObjectName("sitePage");
    m_step3->setObjectName("reciprocalPage");
    m_step4->setObjectName("contactPage");
    m_step5->setObjectName("phrasesPage");
    m_product->setObjectName("productPage");
}

CProfileConfigurator::~CProfileConfigurator() = default;

void CProfileConfigurator::setFileDialog(IFileDialog& files)
{
    m_product->setFileDialog(files);
}

bool CProfileConfigurator::editProfile(
    ProfileStore& store, const std::string& name, IMessageBox& messages, IWaitDialog& wait, QWidget* parent)
{
    SiteProfile profile;
    if (!store.GetProfile(name, profile))
        return false;
    CProfileConfigurator wizard(
        ProfileWizardModel::existingProfile(messages, profile), messages, wait, parent);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    return store.SetProfile(name, wizard.model().profile());
}

// The window carries the title of the page it shows.
void CProfileConfigurator::showPageTitle()
{
    if (const QWizardPage* page = currentPage())
        setWindowTitle(page->title());
}

} // namespace SendingProfile
