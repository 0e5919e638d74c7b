#pragma once

#include <QToolBar>

class QAction;
class QMenu;
class QToolButton;

// The small tool bar of the current browser tab: fill the page, place the
// reciprocal link, copy a profile field, find the tab's directory in the list,
// close the tab.
class TabToolBar : public QToolBar {
    Q_OBJECT

public:
    explicit TabToolBar(QWidget* parent = nullptr);

    QAction* fillAction() const { return m_fill; }
    QAction* reciprocalAction() const { return m_reciprocal; }
    // The copy button's menu, filled by the owner.
    QMenu* copyMenu() const { return m_copyMenu; }
    QAction* gotoAction() const { return m_goto; }
    QAction* closeAction() const { return m_close; }

private:
    QAction* m_fill;
    QAction* m_reciprocal;
    QToolButton* m_copy;
    QMenu* m_copyMenu;
    QAction* m_goto;
    QAction* m_close;
};
