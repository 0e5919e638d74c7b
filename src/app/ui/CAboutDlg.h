#pragma once

#include <QDialog>

class QTextBrowser;

// The About box: the program's name and version and a link to the vendor's site.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "About Vantelo";
    static constexpr const char* kVersionText = "Vantelo v4.0";
    // The page with the link, among the program's resources.
    static constexpr const char* kLinkPage = ":/pages/home_link.html";

    // `homeUrl` is the target of the page's link.
    explicit CAboutDlg(const QString& homeUrl, QWidget* parent = nullptr);

private:
    QTextBrowser* m_link;
};
