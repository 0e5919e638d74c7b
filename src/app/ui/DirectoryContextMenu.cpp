#include "app/ui/DirectoryContextMenu.h"

#include "widgets/QtText.h"

DirectoryContextMenu::DirectoryContextMenu(
    bool customDirectory, const CategoryChoices& categories, Commands commands, QWidget* parent)
    : QMenu(parent)
    , m_commands(std::move(commands))
{
    addEntry("Mark as Sent", m_commands.markSent);
    addEntry("Mark as Unsent", m_commands.markUnsent);
    addEntry("Mark as Approved", m_commands.markApproved);
    addEntry("Mark as Unapproved", m_commands.markUnapproved);
    addEntry("Mark as &Broken (this profile only)", m_commands.markBroken);
    addSeparator();
    addEntry("Skip", m_commands.skip);
    addEntry("Needs Account", m_commands.markNeedsAccount);
    addEntry("Paid Only", m_commands.markPaidOnly);
    addEntry("Back to To Do", m_commands.markToDo);
    addSeparator();
    addEntry("Set Custom Color...", m_commands.setCustomColor);
    addEntry("Remove Custom Color", m_commands.removeCustomColor);
    addEntry("Edit Custom Text...", m_commands.editCustomText);
    addEntry("Open in External Browser", m_commands.openInExternalBrowser);
    if (!customDirectory) {
        addSeparator();
        addEntry("Report Broken Directory...", m_commands.reportBroken);
        return;
    }
    addSeparator();
    addEntry("Edit Directory", m_commands.editDirectory);
    addEntry("Delete Directory", m_commands.deleteDirectory);
    addCategoryMenu("Remove from category", categories.removable, m_commands.removeCategory);
    addCategoryMenu("Add to category", categories.addable, m_commands.addCategory);
}

QAction* DirectoryContextMenu::entry(const QString& text) const
{
    const QList<QAction*> entries = findChildren<QAction*>();
    for (QAction* action : entries) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void DirectoryContextMenu::addEntry(const char* text, const std::function<void()>& command)
{
    QAction* action = addAction(QString::fromLatin1(text));
    connect(action, &QAction::triggered, this, [command] {
        if (command)
            command();
    });
}

void DirectoryContextMenu::addCategoryMenu(const char* title, const std::vector<std::string>& categories,
    const std::function<void(const std::string&)>& command)
{
    QMenu* menu = addMenu(QString::fromLatin1(title));
    if (categories.empty()) {
        menu->addAction(QStringLiteral("Empty"))->setEnabled(false);
        return;
    }
    for (const std::string& category : categories) {
        QAction* action =
            menu->addAction(toQString(category).replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [command, category] {
            if (command)
                command(category);
        });
    }
}
