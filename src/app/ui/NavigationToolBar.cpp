#include "app/ui/NavigationToolBar.h"

#include "app/ui/ToolBarIcons.h"

NavigationToolBar::NavigationToolBar(QWidget* parent)
    : QToolBar(QStringLiteral("Navigation"), parent)
{
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setMovable(false);
    setFloatable(false);
    m_back = addAction(ToolBarIcons::back(), QStringLiteral("Back"));
    m_forward = addAction(ToolBarIcons::forward(), QStringLiteral("Forward"));
    m_refresh = addAction(ToolBarIcons::refresh(), QStringLiteral("Refresh"));
    m_stop = addAction(ToolBarIcons::stop(), QStringLiteral("Stop"));
    m_settingsSeparator = addSeparator();
    m_settings = addAction(ToolBarIcons::settings(), QStringLiteral("Settings"));
    m_help = addAction(ToolBarIcons::help(), QStringLiteral("Help"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    // F5 whatever the desktop's own key bindings say; Ctrl+R as in browsers.
    m_refresh->setShortcuts({ QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R) });
    m_back->setToolTip(QStringLiteral("Back (Alt+Left)"));
    m_forward->setToolTip(QStringLiteral("Forward (Alt+Right)"));
    m_refresh->setToolTip(QStringLiteral("Refresh (F5)"));
}

void NavigationToolBar::addListActions(QAction* nextDirectory, QAction* skip)
{
    insertSeparator(m_settingsSeparator);
    insertAction(m_settingsSeparator, nextDirectory);
    insertAction(m_settingsSeparator, skip);
}
