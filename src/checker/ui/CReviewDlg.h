#pragma once

#include "checker/CheckResults.h"
#include "checker/ReviewSave.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QTreeWidget;

// The review of a run's results: the PageRank changes, checked at first, and the
// broken directories, unchecked at first; the checked rows are what is saved.
class CReviewDlg : public QDialog {
    Q_OBJECT

public:
    CReviewDlg(const CheckResults& results, bool openedFromCommandLine, QWidget* parent = nullptr);

    // Shows the review modally: the user's choice, or nothing when cancelled.
    static std::optional<ReviewSelection> Run(
        const CheckResults& results, bool openedFromCommandLine, QWidget* parent);

    // The rows' check states, taken when the dialog was closed with Save.
    const ReviewSelection& Selection() const { return m_selection; }

public slots:
    void accept() override;

private:
    QWidget* group(const char* title, const char* text, const char* help, QTreeWidget* list,
        QPushButton* checkAll, QPushButton* uncheckAll);

    QTreeWidget* m_prList;
    QTreeWidget* m_brokenList;
    QPushButton* m_prCheckAll;
    QPushButton* m_prUncheckAll;
    QPushButton* m_brokenCheckAll;
    QPushButton* m_brokenUncheckAll;
    QPushButton* m_save;
    QPushButton* m_cancel;
    ReviewSelection m_selection;
};
