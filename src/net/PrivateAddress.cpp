#include "net/PrivateAddress.h"

#include "common/TextCase.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool isPrivateIpv4(std::uint32_t address)
{
    struct Network {
        std::uint32_t base;
        int bits;
    };
    static constexpr std::array<Network, 8> kNetworks { {
        { 0x00000000, 8 }, // "this" network
        { 0x0A000000, 8 }, // 10/8
        { 0x64400000, 10 }, // 100.64/10, carrier-grade NAT
        { 0x7F000000, 8 }, // loopback
        { 0xA9FE0000, 16 }, // link-local
        { 0xAC100000, 12 }, // 172.16/12
        { 0xC0A80000, 16 }, // 192.168/16
        { 0xFFFFFFFF, 32 }, // broadcast
    } };
    for (const Network& network : kNetworks) {
        const std::uint32_t mask = ~std::uint32_t { 0 } << (32 - network.bits);
        if ((address & mask) == network.base)
            return true;
    }
    return false;
}

bool isPrivateIpv6(const in6_addr& address)
{
    const unsigned char* bytes = address.s6_addr;
    static constexpr unsigned char kMappedPrefix[12] = { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF };
    if (std::memcmp(bytes, kMappedPrefix, sizeof kMappedPrefix) == 0) {
        std::uint32_t mapped = 0;
        std::memcpy(&mapped, bytes + 12, sizeof mapped);
        return isPrivateIpv4(ntohl(mapped));
    }
    return IN6_IS_ADDR_UNSPECIFIED(&address) || IN6_IS_ADDR_LOOPBACK(&address)
        || IN6_IS_ADDR_LINKLOCAL(&address) || (bytes[0] & 0xFE) == 0xFC; // fc00::/7, unique local
}

bool isPrivateSocketAddress(const sockaddr* address)
{
    if (address->sa_family == AF_INET)
        return isPrivateIpv4(ntohl(reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr));
    if (address->sa_family == AF_INET6)
        return isPrivateIpv6(reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
    return false;
}

bool resolvesPrivately(const std::string& host)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return false;
    bool isPrivate = false;
    for (const addrinfo* entry = found; entry && !isPrivate; entry = entry->ai_next)
        isPrivate = entry->ai_addr && isPrivateSocketAddress(entry->ai_addr);
    ::freeaddrinfo(found);
    return isPrivate;
}

} // namespace

bool isPrivateNetworkHost(std::string_view host)
{
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    const std::string name = lowerAscii(host);
    if (name.empty())
        return false;
    if (name == "localhost" || name.ends_with(".localhost") || name == "localhost.")
        return true;
    in_addr v4 {};
    if (::inet_pton(AF_INET, name.c_str(), &v4) == 1)
        return isPrivateIpv4(ntohl(v4.s_addr));
    in6_addr v6 {};
    if (::inet_pton(AF_INET6, name.c_str(), &v6) == 1)
        return isPrivateIpv6(v6);
    return resolvesPrivately(name);
}
