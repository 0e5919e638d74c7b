#pragma once

#include "common/HostConfiguration.h"

#include <functional>
#include <memory>

class WindowRelay;

// Runs the update check on a worker thread of its own. The installed directory
// list version is taken when the check starts; the two notices come back
// through the relay and run on the window's thread, or not at all once the
// window has closed the relay.
struct UpdateNoticeHandlers {
    std::function<void(int version)> directoryListAvailable;
    std::function<void()> programUpdateAvailable;
};

// False when no thread could be started.
bool startUpdateCheck(std::shared_ptr<WindowRelay> relay, int installedDirectoryListVersion,
    HostConfiguration hosts, UpdateNoticeHandlers handlers);
