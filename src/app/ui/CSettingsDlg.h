#pragma once

#include "app/MainSettings.h"
#include "common/StatisticsServices.h"

#include <QDialog>

class CStaticHelp;
class IMessageBox;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The settings dialog: autosave and its interval, automatic updates, tabbed
// browsing and the recognition of form fields, each with a help icon; and where
// the site statistics come from (the PageRank and search providers with their
// keys, and links to where a key is obtained). The interval can be edited only
// while autosave is ticked; OK is refused while it holds no integer, or while
// the SearXNG address is no http or https address.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Vantelo Settings";
    static constexpr const char* kNotAnInteger = "Enter an integer.";

    static constexpr const char* kNotAnAddress = "Enter the SearXNG address with http:// or https://.";

    CSettingsDlg(const MainSettings& settings, IMessageBox& messages, QWidget* parent = nullptr);
    CSettingsDlg(const MainSettings& settings, const StatisticsServices& services, IMessageBox& messages,
        QWidget* parent = nullptr);

    // The settings with the dialog's values; an interval of 0 is taken as 3.
    MainSettings settings() const { return m_settings; }
    // The statistics services with the dialog's values.
    StatisticsServices services() const { return m_services; }

public slots:
    void accept() override;

private:
    QWidget* statisticsBox();
    void updateServiceFields();

    MainSettings m_settings;
    StatisticsServices m_services;
    IMessageBox& m_messages;
    QCheckBox* m_autosave;
    QLineEdit* m_interval;
    QCheckBox* m_autoUpdate;
    QCheckBox* m_tabbed;
    QCheckBox* m_recognizeForms;
    CStaticHelp* m_autosaveHelp;
    CStaticHelp* m_autoUpdateHelp;
    CStaticHelp* m_tabbedHelp;
    CStaticHelp* m_recognizeFormsHelp;
    QComboBox* m_pageRankProvider;
    QLineEdit* m_openPageRankKey;
    QComboBox* m_searchProvider;
    QLineEdit* m_braveKey;
    QLineEdit* m_searxngUrl;
};
