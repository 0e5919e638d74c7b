#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu bar with every entry and its keyboard shortcut. The
// window connects the entries to its commands.
class MainMenus : public QObject {
    Q_OBJECT

public:
    explicit MainMenus(QMenuBar* bar);

    // "&File"
    QAction* saveAll;
    QAction* exportProfiles;
    QAction* importProfiles;
    QAction* exportCustomDatabase;
    QAction* importCustomDatabase;
    QAction* exportSubmissionHistory;
    QAction* exit;
    // "&Settings"
    QAction* configuration;
    QAction* manageProfiles;
    QAction* manageCustomDirectories;
    QAction* directoryLists;
    // "&Tools"
    QMenu* tools;
    // Working through the list: F8 and Ctrl+K, wherever the focus is in the window.
    QAction* nextDirectory;
    QAction* skip;
    QAction* newSnapshot;
    QAction* verifyListings;
    QAction* updateDirectoryDatabase;
    QAction* updateLists;
    QAction* checkCustomDatabase;
    QAction* addReciprocalLink;
    // "&Resources"
    QAction* onlineResources;
    // "&Help"
    QAction* userGuide;
    QAction* support;
    QAction* updates;
    QAction* chatRoom;
    QAction* about;
    // Keys only: the tabs and the address box.
    QAction* nextTab;
    QAction* closeTab;
    QAction* previousTab;
    QAction* focusAddress;
};
