#pragma once

#include "profiles/SiteProfile.h"

#include <cstdint>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

namespace SendingProfile {

// What an sv.dat file holds.
struct SvDatContents {
    std::string activeName; // the profile that was active
    std::vector<SiteProfile> profiles; // the complete records, in file order
    std::vector<std::size_t> passwordLines; // per record, the line (from 0) that holds its password
    bool truncated = false; // the file ended before everything it announced
    bool recognised = false; // the file starts as an sv.dat does, with version 1 or 2
};

// Reads the older line-based profile file, version 1 or 2. Counts come from the
// file and are never trusted: the reader stops at the end of the file, and a
// record cut short there is left out rather than filled with empty fields.
class SvDatReader {
public:
    explicit SvDatReader(std::istream& in);

    SvDatContents read();

private:
    bool readProfile(int version, SiteProfile& profile, std::size_t& passwordLine);
    bool readText(std::string& text);
    bool readCount(std::int32_t& count);
    bool readList(std::vector<std::string>& list);
    bool readNames(std::set<std::string>& names);

    std::istream& m_in;
    std::size_t m_line = 0; // the lines read so far
};

} // namespace SendingProfile
