#pragma once

#include <QWizardPage>

class CStaticHelp;
class IMessageBox;
class IWaitDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace SendingProfile {

class ProfileWizardModel;

// The wizard's reciprocal link page: links placed by hand on a page of the site,
// or placed automatically by the user's reciprocal link script, which the page
// can test.
class CProfileConfigStep3 : public QWizardPage {
    Q_OBJECT

public:
    CProfileConfigStep3(
        ProfileWizardModel& model, IMessageBox& messages, IWaitDialog& wait, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

private:
    void enableMethodFields();
    // Shows the warning under the script's address while it would send the password unencrypted.
    void warnOfInsecureAddress();
    void testConfiguration();
    void storeFields();

    ProfileWizardModel& m_model;
    IMessageBox& m_messages;
    IWaitDialog& m_wait;
    QRadioButton* m_manual;
    QRadioButton* m_automatic;
    QLineEdit* m_reciprocal;
    QLineEdit* m_config;
    QLineEdit* m_password;
    QPushButton* m_test;
    QLabel* m_insecureAddress;
    CStaticHelp* m_manualHelp;
    CStaticHelp* m_automaticHelp;
    CStaticHelp* m_configHelp;
    CStaticHelp* m_passwordHelp;
};

} // namespace SendingProfile
