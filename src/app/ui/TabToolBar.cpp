#include "app/ui/TabToolBar.h"

#include "app/ui/ToolBarIcons.h"

#include <QMenu>
#include <QToolButton>

TabToolBar::TabToolBar(QWidget* parent)
    : QToolBar(QStringLiteral("Tab"), parent)
    , m_copy(new QToolButton)
    , m_copyMenu(new QMenu(this))
{
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setMovable(false);
    setFloatable(false);
    m_fill = addAction(ToolBarIcons::autoFill(), QStringLiteral("Auto Fill"));
    m_reciprocal = addAction(ToolBarIcons::reciprocal(), QStringLiteral("Reciprocal"));
    m_copy->setIcon(ToolBarIcons::copy());
    m_copy->setToolTip(QStringLiteral("Copy profile data"));
    m_copy->setMenu(m_copyMenu);
    m_copy->setPopupMode(QToolButton::InstantPopup);
    addWidget(m_copy);
    m_goto = addAction(
        ToolBarIcons::gotoDirectory(), QStringLiteral("Select the loaded directory in the directory list"));
    m_close = addAction(ToolBarIcons::closeTab(), QStringLiteral("Close this browser window"));
    m_fill->setToolTip(QStringLiteral("Auto Fill"));

    m_copy->setObjectName("copyButton");
}
