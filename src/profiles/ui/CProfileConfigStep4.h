#pragma once

#include <QWizardPage>

#include <string>
#include <vector>

class QLineEdit;

namespace SendingProfile {

class ProfileWizardModel;
struct SiteProfile;

// The wizard's contact page: the owner's name, e-mail address and postal address,
// and the user name and password to register with directories.
class CProfileConfigStep4 : public QWizardPage {
    Q_OBJECT

public:
    explicit CProfileConfigStep4(ProfileWizardModel& model, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

private:
    // The page's fields, in their order on the page.
    enum ContactField {
        kFirstName, // fname
        kLastName, // lname
        kEmail, // email
        kUserName, // username, to register with directories
        kPassword, // password, to register with directories
        kAddress, // address
        kCity, // city
        kZip, // zip
        kProvince, // province
    };

    // One line of the page: its field and the profile's text it edits.
    struct Field {
        QLineEdit* edit;
        std::string SiteProfile::*text;
    };

    QLineEdit* field(ContactField which) const { return m_fields[which].edit; }
    void storeFields();

    ProfileWizardModel& m_model;
    std::vector<Field> m_fields;
};

} // namespace SendingProfile
