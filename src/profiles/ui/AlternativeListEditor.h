#pragma once

#include "profiles/ProfileWizardModel.h"

#include <QGroupBox>

class IMessageBox;
class QPushButton;
class QTreeWidget;

namespace SendingProfile {

// One list of alternatives on the wizard's site page: its rows with their
// character and word counts, and the "add", "edit" and "remove" buttons, which
// change the wizard's list at once.
class AlternativeListEditor : public QGroupBox {
    Q_OBJECT

public:
    AlternativeListEditor(const QString& title, ProfileWizardModel& model, AlternativeList which,
        IMessageBox& messages, QWidget* parent = nullptr);

    // Shows the wizard's list again.
    void refill();

    QTreeWidget* rows() const { return m_rows; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* removeButton() const { return m_remove; }

private:
    void addRow();
    void editRow();
    void removeRow();
    void select(int row);
    int selectedRow() const;
    std::vector<std::string>& texts() const;

    ProfileWizardModel& m_model;
    AlternativeList m_which;
    IMessageBox& m_messages;
    QTreeWidget* m_rows;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_remove;
};

} // namespace SendingProfile
