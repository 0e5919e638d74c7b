#include "profiles/SvDatReader.h"

#include "common/DecimalText.h"
#include "common/Windows1252.h"

#include <istream>

namespace SendingProfile {

SvDatReader::SvDatReader(std::istream& in)
    : m_in(in)
{
}

SvDatContents SvDatReader::read()
{
    SvDatContents contents;
    std::int32_t version = 0;
    if (!readCount(version) || (version != 1 && version != 2))
        return contents;
    contents.recognised = true;
    std::int32_t count = 0;
    if (!readText(contents.activeName) || !readCount(count)) {
        contents.truncated = true;
        return contents;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        SiteProfile profile;
        std::size_t passwordLine = 0;
        if (!readProfile(version, profile, passwordLine)) {
            contents.truncated = true;
            break;
        }
        contents.profiles.push_back(std::move(profile));
        contents.passwordLines.push_back(passwordLine);
    }
    return contents;
}

bool SvDatReader::readProfile(int version, SiteProfile& profile, std::size_t& passwordLine)
{
    if (!readText(profile.name) || !readText(profile.url))
        return false;
    if (version == 1) {
        profile.titles.resize(1);
        profile.descriptions.resize(1);
        profile.keywords.resize(1);
        if (!readText(profile.titles[0]) || !readText(profile.descriptions[0]) || !readText(profile.category)
            || !readText(profile.subcategory) || !readText(profile.keywords[0]))
            return false;
    } else {
        if (!readList(profile.titles) || !readList(profile.descriptions) || !readText(profile.category)
            || !readText(profile.subcategory) || !readList(profile.keywords))
            return false;
    }
    if (!readText(profile.email) || !readText(profile.fname) || !readText(profile.lname)
        || !readText(profile.username))
        return false;
    passwordLine = m_line;
    return readText(profile.password) && readNames(profile.submittedNames);
}

bool SvDatReader::readText(std::string& text)
{
    std::string line;
    if (!std::getline(m_in, line))
        return false;
    ++m_line;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    text = utf8FromUtf8OrWindows1252(line);
    return true;
}

bool SvDatReader::readCount(std::int32_t& count)
{
    std::string line;
    if (!readText(line))
        return false;
    count = parseDecimal(line);
    return true;
}

bool SvDatReader::readList(std::vector<std::string>& list)
{
    std::int32_t count = 0;
    if (!readCount(count))
        return false;
    // No reserve: the count is the file's claim, not a promise.
    for (std::int32_t i = 0; i < count; ++i) {
        std::string text;
        if (!readText(text))
            return false;
        list.push_back(std::move(text));
    }
    // A list is never empty: the wizard and form filling always pick from it.
    if (list.empty())
        list.emplace_back();
    return true;
}

bool SvDatReader::readNames(std::set<std::string>& names)
{
    std::int32_t count = 0;
    if (!readCount(count))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name;
        if (!readText(name))
            return false;
        names.insert(std::move(name));
    }
    return true;
}

} // namespace SendingProfile
