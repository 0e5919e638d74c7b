#pragma once

#include "filling/TabFillState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The number of browser tabs the main window can have.
inline constexpr int kTabSlotCount = 10;

// One browser tab slot: whether it has a tab, what it was asked to show, its
// page's filling state (with the directory shown) and the page's PageRank.
struct TabSlot {
    bool free = true;
    std::string requestedAddress; // the address last given to OpenTab
    TabFillState fill; // the directory's name, the picks, the fill state
    std::int32_t pageRank = 0; // of the last completed page; negative: none could be had
    bool openedByPage = false; // a page opened it as a new window: it has no directory
};

// Where OpenTab puts the tab of a slot in the tab row.
enum class TabPlacement {
    Append, // a new tab at the end of the row
    InsertFirst, // single-tab mode: the one tab, made anew
    Replace, // the slot's own tab shows the new page (single-tab mode: slot 0)
};

// The slot a page opens in, and where its tab goes.
struct TabOpening {
    int slot = -1;
    TabPlacement placement = TabPlacement::Append;
};

// The ten tab slots of the main window and the choice of a slot for a new page.
class TabSlots {
public:
    // Takes a slot for an address: with tabbed browsing the first free one (none
    // when all ten are used), else always slot 0. The slot is then used, shows the
    // address, and its picks and directory name are emptied.
    std::optional<TabOpening> open(const std::string& address, bool tabbedBrowsing);
    // Gives a used slot a new address, as open would: the slot's tab shows it.
    // None for a slot not in use.
    std::optional<TabOpening> reuse(int slot, const std::string& address);
    // Takes the first free slot for a window a page opens, whether tabs are on
    // or not (the opening page stays); none when all ten are used. The slot has
    // no directory and no address of its own.
    std::optional<int> openForPage();
    // Frees a slot.
    void close(int slot);

    // The first used slot that was asked to show the address, or -1. Slots that
    // pages opened are no directory's and are never found.
    int findAddress(const std::string& address) const;

    TabSlot& operator[](int slot) { return m_slots.at(static_cast<std::size_t>(slot)); }
    const TabSlot& operator[](int slot) const { return m_slots.at(static_cast<std::size_t>(slot)); }

private:
    void take(int slot, const std::string& address);

    std::array<TabSlot, kTabSlotCount> m_slots;
};

// A tab's caption: at most 30 characters, a longer one cut and "..." added.
std::string tabCaption(std::string_view caption);

// The Referer a tab sends with an address: the address up to and with the first
// "/" after its scheme and host ("https://host/"; the whole address without one).
// None for an address of 2038 characters or more.
std::optional<std::string> refererFor(std::string_view address);

// The PageRank label: "PR 4", or "PR n/a" for a negative value.
std::string pageRankLabel(std::int32_t pageRank);
