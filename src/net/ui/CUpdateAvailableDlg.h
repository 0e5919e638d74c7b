#pragma once

#include <QDialog>

class QTextBrowser;

// Tells the user that a newer program build is available, with the notice page
// built into the program and a link to the vendor's customer login.
class CUpdateAvailableDlg : public QDialog {
    Q_OBJECT

public:
    // The caption, also the title of the frame around the notice.
    static constexpr const char* kCaption = "Vantelo Update Available";
    // Where the notice page lives among the program's resources.
    static constexpr const char* kNoticePage = ":/pages/updateavailable.html";

    // `loginUrl` is the target of the notice's link.
    explicit CUpdateAvailableDlg(const QString& loginUrl, QWidget* parent = nullptr);

private:
    QTextBrowser* m_notice;
};
