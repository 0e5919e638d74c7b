#pragma once

#include <QToolBar>

class QAction;

// The main window's navigation tool bar: Back, Forward, Refresh and Stop for the
// current browser tab, the commands that work through the directory list,
// then the settings dialog and the user guide.
class NavigationToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit NavigationToolBar(QWidget* parent = nullptr);

    QAction* backAction() const { return m_back; }
    QAction* forwardAction() const { return m_forward; }
    QAction* refreshAction() const { return m_refresh; }
    QAction* stopAction() const { return m_stop; }
    QAction* settingsAction() const { return m_settings; }
    QAction* helpAction() const { return m_help; }
    // Places "Next Directory" and "Skip" (the menu's own actions) before the settings.
    void addListActions(QAction* nextDirectory, QAction* skip);

private:
    QAction* m_back;
    QAction* m_forward;
    QAction* m_refresh;
    QAction* m_stop;
    QAction* m_settingsSeparator;
    QAction* m_settings;
    QAction* m_help;
};
