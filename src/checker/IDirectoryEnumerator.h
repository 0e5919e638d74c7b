#pragma once

#include <cstdint>
#include <string>

// Walks the directories of a loaded database in document order and reads or
// changes the few attributes the list checker works with. Before the first step
// there is no current directory.
class IDirectoryEnumerator {
public:
    virtual ~IDirectoryEnumerator() = default;

    // The number of directories, enabled or not.
    virtual int Count() const = 0;
    // Steps to the next directory; false once there is none.
    virtual bool MoveNext() = 0;
    // The current directory's name; empty without a current directory.
    virtual std::u16string GetName() const = 0;
    // The address of its submission page; empty when it has none.
    virtual std::u16string GetSubmitUrl() const = 0;
    // Its stored PageRank: 0 when none is stored, -1 without a current directory.
    virtual std::int32_t GetPR() const = 0;
    // Stores a PageRank in decimal.
    virtual void SetPR(std::int32_t pageRank) = 0;
    // False only when it is marked exactly "false", and without a current directory.
    virtual bool IsEnabled() const = 0;
    // Marks it "true" or "false".
    virtual void SetEnabled(bool enabled) = 0;
};
