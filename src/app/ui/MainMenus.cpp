#include "app/ui/MainMenus.h"

#include "app/ui/ToolBarIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* entry(QMenu* menu, const char* text, const QKeySequence& keys = {})
{
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setShortcut(keys);
    return action;
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar)
    : QObject(bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    saveAll = entry(file, "&Save All", QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addSeparator();
    exportProfiles = entry(file, "Export Profiles");
    importProfiles = entry(file, "Import Profiles");
    file->addSeparator();
    exportCustomDatabase = entry(file, "Export Custom Directory Database");
    importCustomDatabase = entry(file, "Import Custom Directory Database");
    file->addSeparator();
    exportSubmissionHistory = entry(file, "Export Submission History");
    file->addSeparator();
    exit = entry(file, "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* settings = bar->addMenu(QStringLiteral("&Settings"));
    configuration = entry(settings, "Configuration");
    manageProfiles = entry(settings, "Manage Profiles");
    manageCustomDirectories = entry(settings, "Manage Custom Directory List");
    directoryLists = entry(settings, "Directory Lists");

    tools = bar->addMenu(QStringLiteral("&Tools"));
    nextDirectory = entry(tools, "&Next Directory", QKeySequence(Qt::Key_F8));
    nextDirectory->setIcon(ToolBarIcons::nextDirectory());
    nextDirectory->setToolTip(QStringLiteral("Open the next directory to do (F8)"));
    skip = entry(tools, "S&kip", QKeySequence(Qt::CTRL | Qt::Key_K));
    skip->setIcon(ToolBarIcons::skip());
    skip->setToolTip(QStringLiteral("Skip this directory and open the next (Ctrl+K)"));
    tools->addSeparator();
    QMenu* snapshots = tools->addMenu(QStringLiteral("&Snapshots"));
    newSnapshot = entry(snapshots, "&New Snapshot");
    verifyListings = entry(tools, "&Verify Listings\u2026");
    updateDirectoryDatabase = entry(tools, "Update Directory Database");
    updateLists = entry(tools, "Update Lists");
    checkCustomDatabase = entry(tools, "Check Custom Directory Database");
    addReciprocalLink = entry(tools, "Add Reciprocal Link");

    QMenu* resources = bar->addMenu(QStringLiteral("&Resources"));
    onlineResources = entry(resources, "Online Resources");

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    userGuide = entry(help, "User Guide", QKeySequence::HelpContents);
    support = entry(help, "Support");
    updates = entry(help, "Updates");
    chatRoom = entry(help, "Vantelo Chat Room");
    help->addSeparator();
    about = entry(help, "&About Vantelo");

    // The tab and address keys belong to no menu; they work wherever the focus
    // is in the window, the browser's pages included.
    QWidget* window = bar->parentWidget();
    const auto key = [window](const QList<QKeySequence>& keys) {
        auto* action = new QAction(window);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        return action;
    };
    nextTab = key({ QKeySequence(Qt::CTRL | Qt::Key_Tab) });
    closeTab = key({ QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4) });
    focusAddress = key({ QKeySequence(Qt::CTRL | Qt::Key_L) });
    // Shift+Tab arrives as Backtab on some systems.
    previousTab = key({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) });
}
