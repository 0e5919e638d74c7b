#pragma once

#include <QObject>

class QAction;
class QMenu;

// The browser's own commands and their keys, all in this one place: find in
// page (Ctrl+F), zoom in (Ctrl++ or Ctrl+=), zoom out (Ctrl+-), the page's own
// size (Ctrl+0) and "Forget This Site's Cookies". They sit at the end of the
// Tools menu, so that their keys work wherever the focus is in the window, and
// act on the current tab.
class BrowserCommands : public QObject {
    Q_OBJECT

public:
    explicit BrowserCommands(QMenu* tools);

    QAction* find = nullptr;
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* zoomReset = nullptr;
    QAction* forgetSiteCookies = nullptr;
};
