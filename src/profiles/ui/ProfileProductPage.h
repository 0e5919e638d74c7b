#pragma once

#include <QWizardPage>

#include <string>
#include <vector>

class IFileDialog;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace SendingProfile {

class ProfileWizardModel;
struct SiteProfile;

// The wizard's "Product and company" page: what launch platforms, tool and
// business directories ask beyond the site's titles: a tagline, the company and
// its phone and country, a logo and screenshots to upload, social profiles, the
// pricing model, the founding year and tags.
class ProfileProductPage : public QWizardPage {
    Q_OBJECT

public:
    // The file dialog chooses the logo and the screenshots.
    ProfileProductPage(ProfileWizardModel& model, IFileDialog& files, QWidget* parent = nullptr);

    void setFileDialog(IFileDialog& files) { m_files = &files; }

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

private:
    // One line of the page and the profile's text it edits.
    struct Line {
        QLineEdit* edit;
        std::string SiteProfile::*text;
    };

    void chooseLogo();
    void addScreenshot();
    void removeScreenshot();
    void storeFields();
    std::string chooseImage();
    QLineEdit* lineFor(std::string SiteProfile::*text) const;

    ProfileWizardModel& m_model;
    IFileDialog* m_files;
    std::vector<Line> m_lines;
    QComboBox* m_country;
    QComboBox* m_pricing;
    QListWidget* m_screenshots;
    QPushButton* m_removeScreenshot;
};

} // namespace SendingProfile
