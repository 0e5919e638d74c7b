#include "app/OnlinePages.h"

#include "common/HostConfiguration.h"

namespace {

// The prefix of the copies of the pages built into the program.
constexpr const char* kBuiltInPages = "qrc:/pages/";
constexpr const char* kChatPath = "/Enter_Chat.html";

struct PageInfo {
    const char* caption;
    const char* path; // on the vendor's site
    const char* builtIn; // the file of the built-in copy
};

PageInfo infoOf(OnlinePage page)
{
    switch (page) {
    case OnlinePage::News:
        return { "Vantelo News", "/", "news.html" };
    case OnlinePage::UserGuide:
        return { "Userguide", "/userguide/", "userguide.html" };
    case OnlinePage::Support:
        return { "Support", "/Contact_Us.php", "support.html" };
    case OnlinePage::Updates:
        return { "Updates", "/updates.php", "updates.html" };
    case OnlinePage::Resources:
        return { "Resources", "/resource_links.php", "resources.html" };
    }
    return { "", "/", "news.html" };
}

} // namespace

const char* onlinePageCaption(OnlinePage page)
{
    return infoOf(page).caption;
}

std::string onlinePageAddress(OnlinePage page, const HostConfiguration& hosts)
{
    const PageInfo info = infoOf(page);
    if (hosts.hasConfiguredVendorHost())
        return hosts.vendorUrl(info.path);
    return std::string(kBuiltInPages) + info.builtIn;
}

std::string chatRoomAddress(const HostConfiguration& hosts)
{
    return hosts.hasConfiguredVendorHost() ? hosts.vendorUrl(kChatPath) : std::string();
}
