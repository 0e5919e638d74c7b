#pragma once

#include "app/MainSettings.h"

#include <QDialog>

class CStaticHelp;
class IMessageBox;
class QCheckBox;
class QLineEdit;

// The settings dialog: autosave and its interval, automatic updates, tabbed
// browsing and the recognition of form fields, each with a help icon. The
// interval can be edited only while autosave is ticked; OK is refused while it
// holds no integer.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Vantelo Settings";
    static constexpr const char* kNotAnInteger = "Enter an integer.";

    CSettingsDlg(const MainSettings& settings, IMessageBox& messages, QWidget* parent = nullptr);

    // The settings with the dialog's values; an interval of 0 is taken as 3.
    MainSettings settings() const { return m_settings; }

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
    CStaticHelp* m_recognizeFormsHelp;
};
