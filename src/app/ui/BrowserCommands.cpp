#include "app/ui/BrowserCommands.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace {

QAction* entry(QMenu* menu, const char* text, const QList<QKeySequence>& keys = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setShortcuts(keys);
    return action;
}

} // namespace

BrowserCommands::BrowserCommands(QMenu* tools)
    : QObject(tools)
{
    tools->addSeparator();
    find = entry(tools, "&Find in Page...", { QKeySequence(Qt::CTRL | Qt::Key_F) });
    // "+" needs Shift on most keyboards: Ctrl+= zooms in as well.
    zoomIn = entry(tools, "Zoom &In",
        { QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal) });
    zoomOut = entry(tools, "Zoom &Out", { QKeySequence(Qt::CTRL | Qt::Key_Minus) });
    zoomReset = entry(tools, "&Actual Size", { QKeySequence(Qt::CTRL | Qt::Key_0) });
    tools->addSeparator();
    forgetSiteCookies = entry(tools, "Forget This Site's &Cookies");
}
