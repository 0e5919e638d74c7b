#pragma once

#include <QWizardPage>

class QLineEdit;

namespace SendingProfile {

class ProfileWizardModel;

// The wizard's first page: the new profile's name.
class CProfileConfigStep1 : public QWizardPage {
    Q_OBJECT

public:
    explicit CProfileConfigStep1(ProfileWizardModel& model, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

private:
    ProfileWizardModel& m_model;
    QLineEdit* m_name;
};

} // namespace SendingProfile
