#include "app/PendingReferers.h"

#include "common/TextCase.h"

#include <algorithm>

namespace {

constexpr std::string_view kSchemeEnd = "://";

// The port a scheme uses when the address names none.
std::string_view defaultPort(std::string_view scheme)
{
    if (scheme == "http")
        return ":80";
    if (scheme == "https")
        return ":443";
    return {};
}

} // namespace

void PendingReferers::expect(std::string_view address, std::string referer)
{
    std::string key = requestAddress(address);
    std::erase_if(m_pending, [&](const auto& pending) { return pending.first == key; });
    m_pending.emplace_back(std::move(key), std::move(referer));
    if (m_pending.size() > kMaxPending)
        m_pending.erase(m_pending.begin());
}

std::optional<std::string> PendingReferers::take(std::string_view address)
{
    const std::string key = requestAddress(address);
    const auto found = std::find_if(
        m_pending.begin(), m_pending.end(), [&](const auto& pending) { return pending.first == key; });
    if (found == m_pending.end())
        return std::nullopt;
    std::string referer = std::move(found->second);
    m_pending.erase(found);
    return referer;
}

std::string requestAddress(std::string_view address)
{
    address = address.substr(0, address.find('#'));
    const std::size_t schemeEnd = address.find(kSchemeEnd);
    if (schemeEnd == std::string_view::npos)
        return std::string(address);
    const std::string scheme = lowerAscii(address.substr(0, schemeEnd));
    const std::size_t hostStart = schemeEnd + kSchemeEnd.size();
    const std::size_t hostEnd = std::min(address.find_first_of("/?", hostStart), address.size());
    std::string authority(address.substr(hostStart, hostEnd - hostStart));
    // The user name, if any, keeps its case; the host does not.
    const std::size_t at = authority.rfind('@');
    const std::size_t hostFrom = at == std::string::npos ? 0 : at + 1;
    authority = authority.substr(0, hostFrom) + lowerAscii(std::string_view(authority).substr(hostFrom));
    const std::string_view port = defaultPort(scheme);
    if (!port.empty() && authority.ends_with(port))
        authority.erase(authority.size() - port.size());
    std::string rest(address.substr(hostEnd));
    if (rest.empty() || rest.front() != '/')
        rest.insert(0, "/");
    return scheme + std::string(kSchemeEnd) + authority + rest;
}
