#pragma once

#include "common/HostConfiguration.h"
#include "custom/DirectoryWizardModel.h"
#include "stats/CSEOData.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class BrowserProfile;
class ProfileFieldList;
class FillingWebPage;
class IMessageBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QWebEngineView;
class WebFormBridge;

// The custom directory wizard, in three steps: the directory's name and address;
// its submission page in a browser, where the wizard writes the usual
// placeholders into every page and learns the form from what the user fills in
// or drags there, or fills in what the field recogniser understands of the
// page's form for the user to correct; a summary with the directory's PageRank
// and its categories.
// The PageRank arrives from a worker thread as a queued call; once the wizard
// is gone nothing reaches it.
class CDirectoryEditDialog : public QDialog {
    Q_OBJECT

public:
    // The steps, as `step()` gives them.
    static constexpr int kNameStep = 0;
    static constexpr int kBrowserStep = 1;
    static constexpr int kSummaryStep = 2;

    // Starts the PageRank request of a directory address, answered through the
    // sink; its result is CSEOData's: -1 when the request could not be started.
    using PageRankRequest =
        std::function<std::int32_t(const std::string& address, std::shared_ptr<CSEOData::IResultSink> sink)>;

    // The PageRank of the directory's site root is asked from the toolbar query
    // host of `hosts`, as the bulk import and the list checker ask it. The
    // browser shares the program's profile (its logins); a throw-away one without.
    CDirectoryEditDialog(DirectoryWizardModel model, HostConfiguration hosts, IMessageBox& messages,
        BrowserProfile* browser = nullptr, QWidget* parent = nullptr);
    CDirectoryEditDialog(DirectoryWizardModel model, PageRankRequest askPageRank, IMessageBox& messages,
        BrowserProfile* browser = nullptr, QWidget* parent = nullptr);
    ~CDirectoryEditDialog() override;

    // Runs the wizard modally; the finished model after "Save and Close" or
    // "Save and Add Another", nothing when cancelled.
    static std::optional<DirectoryWizardModel> run(DirectoryWizardModel model, const HostConfiguration& hosts,
        IMessageBox& messages, BrowserProfile* browser, QWidget* parent);

    const DirectoryWizardModel& model() const { return m_model; }
    int step() const { return m_step; }

public slots:
    void done(int result) override;

private:
    class PageRankSink;

    QWidget* buildNameStep();
    QWidget* buildBrowserStep();
    QWidget* buildSummaryStep();
    void showStep(int step);

    void next();
    void leaveNameStep();
    void leaveBrowserStep();
    void enterSummary();
    void save(bool addAnother);

    void proposeName(const QString& address);
    void pageLoaded();
    void pageLeaving();
    void setDefaultPage();
    void learnPage();
    void showLearnReady();
    void pageRankAnswered(std::int32_t pageRank);
    void addCategory();
    void removeCategory();
    void showCategories(int selected);

    DirectoryWizardModel m_model;
    const PageRankRequest m_askPageRank;
    IMessageBox& m_messages;
    BrowserProfile* m_browser;
    int m_step = kNameStep;
    // Counts the navigations of the browser, so that a page's writes that land
    // after it has been left are not taken for the page now showing.
    quint64 m_navigations = 0;
    bool m_closed = false;
    std::shared_ptr<PageRankSink> m_pageRankSink;

    QLabel* m_stepLabel;
    QStackedWidget* m_steps;
    QLineEdit* m_name;
    QLineEdit* m_address;
    QWebEngineView* m_view;
    FillingWebPage* m_page;
    WebFormBridge* m_bridge;
    ProfileFieldList* m_fields;
    QPushButton* m_defaultPage;
    QPushButton* m_learnPage;
    QLabel* m_learnStatus;
    QProgressBar* m_progress;
    QLabel* m_summary;
    QComboBox* m_categoryBox;
    QPushButton* m_addCategory;
    QPushButton* m_removeCategory;
    QListWidget* m_categories;
    QPushButton* m_cancel;
    QPushButton* m_addAnother;
    QPushButton* m_next;
};
