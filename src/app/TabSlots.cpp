#include "app/TabSlots.h"

#include "common/Utf8Text.h"

namespace {

constexpr std::size_t kCaptionCharacters = 30;
constexpr const char* kCaptionCut = "...";
// Addresses this long are sent without a Referer.
constexpr std::size_t kRefererAddressLimit = 2038;
// The Referer's "/" is looked for after the scheme's "://"; from the eighth
// character on when there is none, which is right after "http://".
constexpr std::size_t kRefererSearchStart = 7;
constexpr std::string_view kSchemeEnd = "://";

} // namespace

std::optional<TabOpening> TabSlots::open(const std::string& address, bool tabbedBrowsing)
{
    TabOpening opening;
    if (tabbedBrowsing) {
        for (int slot = 0; slot < kTabSlotCount && opening.slot < 0; ++slot) {
            if ((*this)[slot].free)
                opening.slot = slot;
        }
        if (opening.slot < 0)
            return std::nullopt;
    } else {
        opening.slot = 0;
        opening.placement = (*this)[0].free ? TabPlacement::InsertFirst : TabPlacement::Replace;
    }
    take(opening.slot, address);
    return opening;
}

std::optional<TabOpening> TabSlots::reuse(int slot, const std::string& address)
{
    if (slot < 0 || slot >= kTabSlotCount || (*this)[slot].free)
        return std::nullopt;
    take(slot, address);
    return TabOpening { slot, TabPlacement::Replace };
}

void TabSlots::take(int index, const std::string& address)
{
    TabSlot& slot = (*this)[index];
    slot.free = false;
    slot.requestedAddress = address;
    slot.fill.picks.clear();
    // The opener names the directory; a page opened otherwise must not keep the last one's.
    slot.fill.directoryName.clear();
    slot.openedByPage = false;
}

std::optional<int> TabSlots::openForPage()
{
    for (int index = 0; index < kTabSlotCount; ++index) {
        TabSlot& slot = (*this)[index];
        if (!slot.free)
            continue;
        slot.free = false;
        slot.openedByPage = true;
        slot.requestedAddress.clear();
        slot.fill.picks.clear();
        slot.fill.directoryName.clear();
        return index;
    }
    return std::nullopt;
}

void TabSlots::close(int slot)
{
    (*this)[slot].free = true;
}

int TabSlots::findAddress(const std::string& address) const
{
    for (int slot = 0; slot < kTabSlotCount; ++slot) {
        const TabSlot& candidate = (*this)[slot];
        if (!candidate.free && !candidate.openedByPage && candidate.requestedAddress == address)
            return slot;
    }
    return -1;
}

std::string tabCaption(std::string_view caption)
{
    if (!utf8Longer(caption, kCaptionCharacters))
        return std::string(caption);
    return std::string(utf8Prefix(caption, kCaptionCharacters)) + kCaptionCut;
}

std::optional<std::string> refererFor(std::string_view address)
{
    if (address.size() >= kRefererAddressLimit)
        return std::nullopt;
    const std::size_t scheme = address.find(kSchemeEnd);
    const std::size_t start =
        scheme == std::string_view::npos ? kRefererSearchStart : scheme + kSchemeEnd.size();
    const std::size_t slash = address.find('/', start);
    if (slash == std::string_view::npos)
        return std::string(address);
    return std::string(address.substr(0, slash + 1));
}

std::string pageRankLabel(std::int32_t pageRank)
{
    return pageRank < 0 ? "PR n/a" : "PR " + std::to_string(pageRank);
}
