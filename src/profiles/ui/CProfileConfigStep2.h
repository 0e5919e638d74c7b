#pragma once

#include <QWizardPage>

class CStaticHelp;
class IMessageBox;
class QLineEdit;

namespace SendingProfile {

class ProfileWizardModel;
class AlternativeListEditor;

// The wizard's site page: the address, the preferred categories, and the lists
// of alternative titles, descriptions and keyword lines.
class CProfileConfigStep2 : public QWizardPage {
    Q_OBJECT

public:
    CProfileConfigStep2(ProfileWizardModel& model, IMessageBox& messages, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

private:
    void storeFields();

    ProfileWizardModel& m_model;
    QLineEdit* m_url;
    QLineEdit* m_categories;
    QLineEdit* m_subcategories;
    CStaticHelp* m_categoriesHelp;
    CStaticHelp* m_subcategoriesHelp;
    AlternativeListEditor* m_titles;
    AlternativeListEditor* m_descriptions;
    AlternativeListEditor* m_keywords;
};

} // namespace SendingProfile
