#include "app/ui/CustomDirectoryCommands.h"

#include "app/MainWindowState.h"
#include "custom/ui/CCustomDirListManager.h"

CustomDirectoryCommands::CustomDirectoryCommands(
    MainWindowContext context, BrowserProfile& browser, ManagerUse use)
    : m_context(std::move(context))
    , m_browser(browser)
    , m_use(std::move(use))
{
    if (!m_use.manage)
        m_use.manage = [](CCustomDirListManager& manager) { manager.exec(); };
    if (!m_use.edit)
        m_use.edit = [](CCustomDirListManager& manager, const std::string& name) {
            return manager.editDirectory(name);
        };
}

void CustomDirectoryCommands::manageCustomDirectories()
{
    MainWindowState& state = m_context.state;
    {
        CCustomDirListManager manager(state.directories(), state.customDirectories(), state.folder(),
            state.hosts(), m_context.messages, &m_browser, m_context.window);
        m_use.manage(manager);
    }
    // Reading the databases again would drop the changes that could not be
    // written; the stores in memory carry them already.
    m_context.populateDirectoryList(state.SaveCustomDirectories());
}

bool CustomDirectoryCommands::editDirectory(const std::string& name)
{
    MainWindowState& state = m_context.state;
    CCustomDirListManager manager(state.directories(), state.customDirectories(), state.folder(),
        state.hosts(), m_context.messages, &m_browser, m_context.window);
    return m_use.edit(manager, name);
}
