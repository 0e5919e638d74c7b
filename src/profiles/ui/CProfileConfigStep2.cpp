#include "profiles/ui/CProfileConfigStep2.h"

#include "profiles/ProfileWizardModel.h"
#include "profiles/ui/AlternativeListEditor.h"
#include "widgets/CStaticHelp.h"
#include "widgets/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace SendingProfile {

namespace {

constexpr const char* kCategoriesHelp =
    "Please enter one or more main category names separated by commas in the order of preference. This "
    "field can be left blank if you don't have any main category preferences.";
constexpr const char* kSubcategoriesHelp =
    "Please enter one or more category names separated by commas in the order of preference. This field "
    "cannot be left blank if you want to take advantage of category autocompletion.";

// A label that moves the focus to its field with Alt and the marked letter.
QLabel* labelFor(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

} // namespace

CProfileConfigStep2::CProfileConfigStep2(ProfileWizardModel& model, IMessageBox& messages, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
    , m_url(new QLineEdit)
    , m_categories(new QLineEdit)
    , m_subcategories(new QLineEdit)
    , m_categoriesHelp(new CStaticHelp(QString::fromUtf8(kCategoriesHelp), nullptr))
    , m_subcategoriesHelp(new CStaticHelp(QString::fromUtf8(kSubcategoriesHelp), nullptr))
    , m_titles(new AlternativeListEditor(QStringLiteral("Titles"), model, AlternativeList::Titles, messages))
    , m_descriptions(new AlternativeListEditor(
          QStringLiteral("Descriptions"), model, AlternativeList::Descriptions, messages))
    , m_keywords(
          new AlternativeListEditor(QStringLiteral("Keywords"), model, AlternativeList::Keywords, messages))
{
    setTitle(QStringLiteral("Profile Configuration - Step 2 of 4"));

    auto* fields = new QGridLayout;
    fields->addWidget(labelFor(QStringLiteral("Site &URL:"), m_url), 0, 0);
    fields->addWidget(m_url, 0, 1);
    fields->addWidget(labelFor(QStringLiteral("Preferred &category:"), m_categories), 1, 0);
    fields->addWidget(m_categories, 1, 1);
    fields->addWidget(m_categoriesHelp, 1, 2);
    fields->addWidget(labelFor(QStringLiteral("&Subcategory:"), m_subcategories), 2, 0);
    fields->addWidget(m_subcategories, 2, 1);
    fields->addWidget(m_subcategoriesHelp, 2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_titles);
    layout->addWidget(m_descriptions);
    layout->addWidget(m_keywords);

    std::vector<QWidget*> order { m_url, m_categories, m_subcategories };
    for (AlternativeListEditor* list : { m_titles, m_descriptions, m_keywords })
        order.insert(
            order.end(), { list->rows(), list->addButton(), list->editButton(), list->removeButton() });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_url->setObjectName("urlEdit");
    m_categories->setObjectName("categoriesEdit");
    m_subcategories->setObjectName("subcategoriesEdit");
    m_categoriesHelp->setObjectName("categoriesHelp");
    m_subcategoriesHelp->setObjectName("subcategoriesHelp");
    m_titles->setObjectName("titleList");
    m_descriptions->setObjectName("descriptionList");
    m_keywords->setObjectName("keywordList");
}

void CProfileConfigStep2::initializePage()
{
    const SiteProfile& fields = m_model.fields();
    m_url->setText(toQString(fields.url));
    m_categories->setText(toQString(fields.categories));
    m_subcategories->setText(toQString(fields.subcategories));
    for (AlternativeListEditor* list : { m_titles, m_descriptions, m_keywords })
        list->refill();
    m_url->setFocus();
}

bool CProfileConfigStep2::validatePage()
{
    storeFields();
    switch (m_model.checkSitePage()) {
    case WizardFocus::None:
        m_model.leaveSitePage();
        return true;
    case WizardFocus::Url:
        m_url->setFocus();
        break;
    case WizardFocus::AddTitle:
        m_titles->addButton()->setFocus();
        break;
    case WizardFocus::AddDescription:
        m_descriptions->addButton()->setFocus();
        break;
    case WizardFocus::AddKeywords:
        m_keywords->addButton()->setFocus();
        break;
    default: // the fields of the other pages
        break;
    }
    return false;
}

// Going back keeps what was typed for when the page shows again.
void CProfileConfigStep2::cleanupPage()
{
    storeFields();
}

void CProfileConfigStep2::storeFields()
{
    SiteProfile& fields = m_model.fields();
    fields.url = toStdString(m_url->text());
    fields.categories = toStdString(m_categories->text());
    fields.subcategories = toStdString(m_subcategories->text());
}

} // namespace SendingProfile
