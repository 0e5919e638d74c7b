#pragma once

#include <string>

class HostConfiguration;

// The build number of this program; the vendor publishes the newest one.
inline constexpr int kInstalledProgramBuild = 3010;
// The vendor's customer login page, where the update notice's link leads.
inline constexpr const char* kCustomerLoginPath = "/customers/login.php";

// The main window's side of the update check. The check runs on a worker thread:
// the question is answered synchronously by the window's thread, the two notices
// are posted to it and handled there later.
class IUpdateNoticeWindow {
public:
    virtual ~IUpdateNoticeWindow() = default;
    // The version of the installed directory database.
    virtual int installedDirectoryListVersion() = 0;
    // A newer directory database is published.
    virtual void postDirectoryListAvailable(int version) = 0;
    // A newer program build is published.
    virtual void postProgramUpdateAvailable() = 0;
};

// The version check against the numbers the vendor publishes beside the
// directory database: the database version first, then the program build. A
// failed request only skips its notice; without a configured vendor host nothing
// is asked. Returns 0.
int CheckForUpdates(IUpdateNoticeWindow& window, const HostConfiguration& hosts);
