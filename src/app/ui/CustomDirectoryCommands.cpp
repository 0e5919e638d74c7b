#include "app/ui/CustomDirectoryCommands.h"

#include "app/MainWindowState.h"
#include "common/SystemClock.h"
#include "custom/ui/CCustomDirListManager.h"
#include "profiles/DirectoryStates.h"

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
    bool keptStates = false;
    {
        CCustomDirListManager manager(state.directories(), state.customDirectories(), state.folder(),
            state.hosts(), m_context.messages, &m_browser, m_context.window);
        // The states learning finds belong to the profile the table shows.
        manager.setStateKeeper([&state, &keptStates](const std::string& name, const std::string& url,
                                   const SendingProfile::DirectoryStatus& status) {
            const std::optional<std::string> profile = state.active().name();
            const SystemClock clock;
            keptStates = (profile
                             && SendingProfile::DirectoryStates(state.profiles(), clock)
                                    .set(*profile, name, url, status.state, status.reason, status.address))
                || keptStates;
        });
        m_use.manage(manager);
    }
    if (keptStates)
        state.SaveProfilesAndSettings();
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
