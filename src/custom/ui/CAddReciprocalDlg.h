#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QPlainTextEdit;
class QPushButton;

// Asks for the HTML code of a link that the reciprocal link script is to place
// on the user's site, for links Vantelo did not find on a directory's page.
class CAddReciprocalDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kPrompt =
        "Please enter the HTML code to be added to your site. Use this form to add custom reciprocal links "
        "or to "
        "manually specify the link if Vantelo doesn't properly autodetect it";

    explicit CAddReciprocalDlg(QWidget* parent = nullptr);

    // Shows the dialog modally; the code as typed after OK, nothing after Cancel.
    static std::optional<std::string> askCode(QWidget* parent);

    std::string code() const;

private:
    QPlainTextEdit* m_code;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
