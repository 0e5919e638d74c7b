#include "app/ui/DirectoryListsCommands.h"

#include "app/MainWindowState.h"
#include "common/IMessageBox.h"
#include "custom/ListsUpdate.h"
#include "custom/ui/CDirectoryListsDlg.h"
#include "custom/ui/CUpdateListsDlg.h"

#include <QDialog>

#include <algorithm>
#include <ctime>

DirectoryListsCommands::DirectoryListsCommands(MainWindowContext context, DialogUse use)
    : m_context(std::move(context))
    , m_use(std::move(use))
{
    if (!m_use.manage)
        m_use.manage = [](CDirectoryListsDlg& dialog) { dialog.exec(); };
    if (!m_use.fetch)
        m_use.fetch = [](CUpdateListsDlg& dialog) { return dialog.exec(); };
}

void DirectoryListsCommands::manageLists()
{
    CDirectoryListsDlg dialog(
        m_context.state.folder(), m_context.messages, [this] { updateLists(); }, m_context.window);
    m_use.manage(dialog);
}

void DirectoryListsCommands::updateLists()
{
    MainWindowState& state = m_context.state;
    FollowedLists lists(state.folder());
    std::string problem;
    if (!lists.load(problem)) {
        m_context.messages.show(problem, kVanteloCaption, MessageIcon::Error);
        return;
    }
    if (lists.lists().empty()) {
        if (m_context.messages.ask(
                kNoListsQuestion, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Question)
            == MessageAnswer::Yes)
            manageLists();
        return;
    }
    CUpdateListsDlg dialog(lists.lists(), m_context.window);
    if (m_use.fetch(dialog) != QDialog::Accepted)
        return;
    const ListsUpdateResult result = updateFollowedLists(lists, dialog.fetches(), state.customDirectories(),
        state.directories(), state.folder().customDatabase(), std::time(nullptr));
    if (changesDirectories(result.counts))
        m_context.populateDirectoryList(false);
    const bool failed = !result.problem.empty()
        || std::any_of(result.counts.begin(), result.counts.end(),
            [](const ListUpdateCounts& counts) { return !counts.problem.empty(); });
    m_context.messages.show(kUpdatedText + listsUpdateReport(result), kVanteloCaption,
        failed ? MessageIcon::Warning : MessageIcon::Information);
}
