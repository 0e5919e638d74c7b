#include "directories/HostKey.h"

std::string_view hostKeyView(std::string_view url)
{
    if (url.starts_with("http://"))
        url.remove_prefix(7);
    if (url.starts_with("www."))
        url.remove_prefix(4);
    return url.substr(0, url.find('/'));
}

std::string hostKey(std::string_view url)
{
    return std::string(hostKeyView(url));
}
