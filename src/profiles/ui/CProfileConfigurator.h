#pragma once

#include "profiles/ProfileWizardModel.h"

#include <QWizard>

#include <memory>

#include <string>

class IFileDialog;
class IMessageBox;
class IWaitDialog;
class QtFileDialog;

namespace SendingProfile {

class CProfileConfigStep1;
class CProfileConfigStep2;
class CProfileConfigStep3;
class CProfileConfigStep4;
class CProfileConfigStep5;
class ProfileProductPage;
class ProfileStore;

// The profile wizard: name, site, reciprocal links, contact data, product and
// company, and search phrases on six pages. A profile that has a name (one being edited) starts on
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
        kProductPage, // product and company: tagline, logo, social profiles, ...
        kPhrasesPage, // search phrases
    };

    // The wait dialog runs the reciprocal script's test.
    CProfileConfigurator(
        ProfileWizardModel model, IMessageBox& messages, IWaitDialog& wait, QWidget* parent = nullptr);
    ~CProfileConfigurator() override;

    // Edits a stored profile and stores it again after Finish; false when the
    // profile does not exist, the wizard was cancelled or the store failed.
    static bool editProfile(ProfileStore& store, const std::string& name, IMessageBox& messages,
        IWaitDialog& wait, QWidget* parent);

    const ProfileWizardModel& model() const { return m_model; }
    // The dialog that chooses the logo and screenshots; by default the system's.
    void setFileDialog(IFileDialog& files);

private:
    void showPageTitle();

    ProfileWizardModel m_model;
    CProfileConfigStep1* m_step1;
    CProfileConfigStep2* m_step2;
    CProfileConfigStep3* m_step3;
    CProfileConfigStep4* m_step4;
    CProfileConfigStep5* m_step5;
    std::unique_ptr<QtFileDialog> m_systemFiles;
    ProfileProductPage* m_product;
};

} // namespace SendingProfile
