#pragma once

#include "app/MainSettings.h"
#include "browser/ui/BrowserProfile.h"
#include "common/StatisticsServices.h"

#include <QDialog>

#include <functional>

class CStaticHelp;
class IMessageBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The settings dialog: autosave and its interval, automatic updates, tabbed
// browsing and the recognition of form fields, each with a help icon; and where
// the site statistics come from (the PageRank and search providers with their
// keys, and links to where a key is obtained). The interval can be edited only
// while autosave is ticked; OK is refused while it holds no integer, or while
// the SearXNG address is no http or https address. "Clear browsing data..."
// clears the browser's cookies and site data and its cache at once, after a
// question, whether the dialog is then left with OK or not.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Vantelo Settings";
    static constexpr const char* kNotAnInteger = "Enter an integer.";
    static constexpr const char* kChooseWhatToClear =
        "Tick what to clear: cookies and site data, or the cache.";
    static constexpr const char* kClearQuestion = "Clear %1 of Vantelo's browser? This cannot be undone.";
    static constexpr const char* kSignedOut =
        " You will be signed out of the directories you are signed in to.";
    static constexpr const char* kCleared = "The browsing data was cleared.";
    static constexpr const char* kSiteDataAtStart =
        " Site data other than cookies (local storage, databases) is removed when Vantelo next starts.";

    static constexpr const char* kNotAnAddress = "Enter the SearXNG address with http:// or https://.";

    // Clears the browser's data as chosen.
    using BrowsingDataClearer = std::function<void(const BrowsingData&)>;

    CSettingsDlg(const MainSettings& settings, IMessageBox& messages, QWidget* parent = nullptr);
    // Without a clearer the dialog offers no "Clear browsing data...".
    CSettingsDlg(const MainSettings& settings, const StatisticsServices& services, IMessageBox& messages,
        BrowsingDataClearer clear = {}, QWidget* parent = nullptr);

    // Adds the "Directory lists" section, whose button opens the followed lists.
    void offerDirectoryLists(std::function<void()> open);

    // The settings with the dialog's values; an interval of 0 is taken as 3.
    MainSettings settings() const { return m_settings; }
    // The statistics services with the dialog's values.
    StatisticsServices services() const { return m_services; }

public slots:
    void accept() override;

private:
    QWidget* statisticsBox();
    void updateServiceFields();
    QWidget* buildBrowsingData();
    void clearBrowsingData();

    MainSettings m_settings;
    StatisticsServices m_services;
    IMessageBox& m_messages;
    QCheckBox* m_autosave;
    QLineEdit* m_interval;
    QCheckBox* m_autoUpdate;
    QCheckBox* m_tabbed;
    QCheckBox* m_recognizeForms;
    QCheckBox* m_openNext;
    CStaticHelp* m_autosaveHelp;
    CStaticHelp* m_autoUpdateHelp;
    CStaticHelp* m_tabbedHelp;
    CStaticHelp* m_recognizeFormsHelp;
    CStaticHelp* m_openNextHelp;
    QComboBox* m_pageRankProvider;
    QLineEdit* m_openPageRankKey;
    QComboBox* m_searchProvider;
    QLineEdit* m_braveKey;
    QLineEdit* m_searxngUrl;
    BrowsingDataClearer m_clear;
    QCheckBox* m_clearCookies = nullptr;
    QCheckBox* m_clearCache = nullptr;
    QPushButton* m_clearButton = nullptr;
};
