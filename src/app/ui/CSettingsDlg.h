#pragma once

#include "app/MainSettings.h"

#include <QDialog>

class CStaticHelp;
class IMessageBox;
class QCheckBox;
class QLineEdit;

// The settings dialog: autosave and its interval, automatic updates, tabbed
// browsing and the recognition of form fields, each with a help icon. The interval can be edited only while
// autosave is ticked; OK is refused while it holds no integer.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Vantelo Settings";
    static constexpr const char* kNotAnInteger = "Enter an integer.";
    // The object name of the check box that turns the recognition of fields on and off.
    static constexpr const char* kRecognizeFormsName = "recognizeFormsBox";

    CSettingsDlg(const MainSettings& settings, IMessageBox& messages, QWidget* parent = nullptr);

    // The settings with the dialog's values; an interval of 0 is taken as 3.
    MainSettings settings() const { return m_settings; }

    QCheckBox* autosaveBox() const { return m_autosave; }
    QLineEdit* intervalEdit() const { return m_interval; }
    QCheckBox* autoUpdateBox() const { return m_autoUpdate; }
    QCheckBox* tabbedBrowsingBox() const { return m_tabbed; }
    CStaticHelp* autosaveHelp() const { return m_autosaveHelp; }
    CStaticHelp* autoUpdateHelp() const { return m_autoUpdateHelp; }
    CStaticHelp* tabbedBrowsingHelp() const { return m_tabbedHelp; }

public slots:
    void accept() override;

private:
    MainSettings m_settings;
    IMessageBox& m_messages;
    QCheckBox* m_autosave;
    QLineEdit* m_interval;
    QCheckBox* m_autoUpdate;
    QCheckBox* m_tabbed;
    QCheckBox* m_recognizeForms;
    CStaticHelp* m_autosaveHelp;
    CStaticHelp* m_autoUpdateHelp;
    CStaticHelp* m_tabbedHelp;
};
