#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The Referers that tabs chose for the addresses they are about to load, each
// kept until the request for its address takes it. Addresses compare as the
// browser requests them: "http://Host" and "http://host:80/" are the same.
class PendingReferers {
public:
    // Addresses never requested (a load stopped first) are forgotten, oldest
    // first, beyond this many.
    static constexpr std::size_t kMaxPending = 32;

    // The next request for the address carries the Referer.
    void expect(std::string_view address, std::string referer);
    // The Referer for a request of the address, once; nothing when none was chosen.
    std::optional<std::string> take(std::string_view requestAddress);

    std::size_t size() const { return m_pending.size(); }

private:
    std::vector<std::pair<std::string, std::string>> m_pending; // by request address, oldest first
};

// An address as a browser requests it: the scheme and host in lower case, the
// scheme's own port left out, "/" for an empty path, no fragment.
std::string requestAddress(std::string_view address);
