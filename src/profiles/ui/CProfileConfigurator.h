#pragma once

#include "profiles/ProfileWizardModel.h"

#include <QWizard>

#include <string>

class IMessageBox;
class IWaitDialog;

namespace SendingProfile {

class CProfileConfigStep1;
class CProfileConfigStep2;
class CProfileConfigStep3;
class CProfileConfigStep4;
class CProfileConfigStep5;
class ProfileStore;

// The profile wizard: name, site, reciprocal links, contact data and search
// phrases on five pages. A profile that has a name (one being edited) starts on
// the site page, so its name cannot change. After Finish, model() holds the result.
class CProfileConfigurator : public QWizard {
    Q_OBJECT

public:
    // The pages, in order.
    enum PageId {
        kNamePage, // the profile's name
        kSitePage, // address, categories, titles, descriptions, keywords
        kReciprocalPage, // reciprocal link method and script
        kContactPage, // the owner's contact data
        kPhrasesPage, // search phrases
    };

    // The wait dialog runs the reciprocal script's test.
    CProfileConfigurator(
        ProfileWizardModel model, IMessageBox& messages, IWaitDialog& wait, QWidget* parent = nullptr);

    // Edits a stored profile and stores it again after Finish; false when the
    // profile does not exist, the wizard was cancelled or the store failed.
    static bool editProfile(ProfileStore& store, const std::string& name, IMessageBox& messages,
        IWaitDialog& wait, QWidget* parent);

    const ProfileWizardModel& model() const { return m_model; }

private:
    void showPageTitle();

    ProfileWizardModel m_model;
    CProfileConfigStep1* m_step1;
    CProfileConfigStep2* m_step2;
    CProfileConfigStep3* m_step3;
    CProfileConfigStep4* m_step4;
    CProfileConfigStep5* m_step5;
};

} // namespace SendingProfile
