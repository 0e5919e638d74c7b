#pragma once

#include <string>

class HostConfiguration;

// The pages of the vendor's web site that the main window opens in a tab.
enum class OnlinePage {
    News, // the start page
    UserGuide,
    Support,
    Updates,
    Resources,
};

// The tab caption of a page: "Vantelo News", "Userguide" and so on.
const char* onlinePageCaption(OnlinePage page);

// Where a page is read from: the vendor's site when the settings name its host,
// else the copy built into the program.
std::string onlinePageAddress(OnlinePage page, const HostConfiguration& hosts);

// The vendor's chat page, opened in the external browser; empty while no vendor
// host is configured (there is no copy of it in the program).
std::string chatRoomAddress(const HostConfiguration& hosts);
