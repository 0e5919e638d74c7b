#pragma once

#include <QWizardPage>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace SendingProfile {

class ProfileWizardModel;

// The wizard's last page: the search phrases whose positions the statistics check.
class CProfileConfigStep5 : public QWizardPage {
    Q_OBJECT

public:
    explicit CProfileConfigStep5(ProfileWizardModel& model, QWidget* parent = nullptr);

    void initializePage() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addPhrase();
    void removePhrase();
    void refill(int selected);

    ProfileWizardModel& m_model;
    QLineEdit* m_phrase;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_remove;
};

} // namespace SendingProfile
