#include "app/ui/UpdateCheckStarter.h"

#include "app/ui/WindowRelay.h"
#include "net/UpdateCheck.h"

#include <system_error>
#include <thread>

namespace {

// The window's side of the check as the worker thread sees it.
class RelayedNotices : public IUpdateNoticeWindow {
public:
    RelayedNotices(std::shared_ptr<WindowRelay> relay, int installed, UpdateNoticeHandlers handlers)
        : m_relay(std::move(relay))
        , m_installed(installed)
        , m_handlers(std::move(handlers))
    {
    }

    int installedDirectoryListVersion() override { return m_installed; }

    void postDirectoryListAvailable(int version) override
    {
        m_relay->post([handler = m_handlers.directoryListAvailable, version] { handler(version); });
    }

    void postProgramUpdateAvailable() override { m_relay->post(m_handlers.programUpdateAvailable); }

private:
    std::shared_ptr<WindowRelay> m_relay;
    int m_installed;
    UpdateNoticeHandlers m_handlers;
};

} // namespace

bool startUpdateCheck(std::shared_ptr<WindowRelay> relay, int installedDirectoryListVersion,
    HostConfiguration hosts, UpdateNoticeHandlers handlers)
{
    try {
        std::thread([notices = RelayedNotices(
                         std::move(relay), installedDirectoryListVersion, std::move(handlers)),
                        hosts = std::move(hosts)]() mutable {
            CheckForUpdates(notices, hosts);
        }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}
