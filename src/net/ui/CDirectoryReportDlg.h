#pragma once

#include "net/BrokenDirectoryReport.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

// Asks what is wrong with a directory before it is reported to the vendor: a
// short comment and three common problems to tick.
class CDirectoryReportDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDirectoryReportDlg(QWidget* parent = nullptr);

    // What the user entered.
    BrokenReportForm form() const;

    // Shows the dialog modally: the form after "Send", nothing after "Cancel".
    static std::optional<BrokenReportForm> ask(QWidget* parent);

private:
    QPlainTextEdit* m_comment;
    QCheckBox* m_wrongCategory;
    QCheckBox* m_paidOnly;
    QCheckBox* m_serverDown;
    QPushButton* m_send;
    QPushButton* m_cancel;
};
