#include "custom/FollowedLists.h"

#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/XmlErrorText.h"
#include "common/XmlText.h"
#include "net/WebAddress.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kRoot = "followedlists";
constexpr const char* kListElement = "list";
constexpr const char* kSiteElement = "site";
constexpr const char* kFileName = "lists.xml";
constexpr const char* kCopiesFolder = "lists";

// A name for a list's copy that any address maps to: FNV-1a of the address.
std::string copyName(const std::string& url)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : url) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char name[24];
    std::snprintf(name, sizeof name, "%016llx.txt", static_cast<unsigned long long>(hash));
    return name;
}

std::string writeProblem(const std::filesystem::path& file, const FileWriteError& error)
{
    return "cannot write " + file.string() + ": " + xmlErrorText(error.message, error.details);
}

FollowedList readList(const pugi::xml_node& element)
{
    FollowedList list;
    list.url = element.attribute("url").value();
    list.etag = element.attribute("etag").value();
    list.lastModified = element.attribute("lastmodified").value();
    list.updated = static_cast<std::time_t>(element.attribute("updated").as_llong());
    for (const pugi::xml_node& site : element.children(kSiteElement))
        list.sites.push_back({ site.attribute("key").value(), site.attribute("own").as_bool() });
    return list;
}

void writeList(pugi::xml_node root, const FollowedList& list)
{
    pugi::xml_node element = root.append_child(kListElement);
    element.append_attribute("url") = list.url.c_str();
    if (!list.etag.empty())
        element.append_attribute("etag") = list.etag.c_str();
    if (!list.lastModified.empty())
        element.append_attribute("lastmodified") = list.lastModified.c_str();
    element.append_attribute("updated") = static_cast<long long>(list.updated);
    for (const FollowedList::Site& site : list.sites) {
        pugi::xml_node entry = element.append_child(kSiteElement);
        entry.append_attribute("key") = site.key.c_str();
        if (site.own)
            entry.append_attribute("own") = "true";
    }
}

} // namespace

FollowedLists::FollowedLists(const DataFolder& folder)
    : m_file(folder.root() / "data" / kFileName)
    , m_copies(folder.root() / "data" / kCopiesFolder)
{
}

bool FollowedLists::load(std::string& problem)
{
    m_lists.clear();
    const std::optional<std::string> bytes = readFileBytes(m_file);
    if (!bytes)
        return true;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes->data(), bytes->size());
    const pugi::xml_node root = document.child(kRoot);
    if (!parsed || !root) {
        problem = "cannot read " + m_file.string() + ": "
            + (parsed ? std::string("it holds no followed lists") : std::string(parsed.description()));
        return false;
    }
    for (const pugi::xml_node& element : root.children(kListElement)) {
        if (listAddress(element.attribute("url").value()))
            m_lists.push_back(readList(element));
    }
    return true;
}

bool FollowedLists::save(std::string& problem)
{
    if (const std::error_code error = createPrivateFolder(m_copies)) {
        problem = "cannot make " + m_copies.string() + ": " + error.message();
        return false;
    }
    for (const auto& [url, text] : m_newCopies) {
        if (const auto error = writeFileAtomically(copyPath(url), text, FileAccess::OwnerOnly)) {
            problem = writeProblem(copyPath(url), *error);
            return false;
        }
    }
    m_newCopies.clear();
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    pugi::xml_node root = document.append_child(kRoot);
    for (const FollowedList& list : m_lists)
        writeList(root, list);
    if (const auto error = writeFileAtomically(
            m_file, xmlDocumentText(document, XmlLayout::Indented), FileAccess::OwnerOnly)) {
        problem = writeProblem(m_file, *error);
        return false;
    }
    for (const std::string& url : m_removed) {
        std::error_code ignored;
        if (!find(url))
            std::filesystem::remove(copyPath(url), ignored);
    }
    m_removed.clear();
    return true;
}

std::optional<std::string> FollowedLists::listAddress(const std::string& url)
{
    const std::optional<WebAddress> address = parseWebAddress(url);
    // The scheme must be written: a list address is copied, not typed loosely.
    if (!address || url.find("://") == std::string::npos)
        return std::nullopt;
    return address->url;
}

bool FollowedLists::add(const std::string& url)
{
    const std::optional<std::string> address = listAddress(url);
    if (!address || find(*address))
        return false;
    m_lists.push_back({ *address, {}, {}, 0, {} });
    return true;
}

bool FollowedLists::remove(const std::string& url)
{
    const std::string address = listAddress(url).value_or(url);
    const auto found = std::find_if(
        m_lists.begin(), m_lists.end(), [&](const FollowedList& list) { return list.url == address; });
    if (found == m_lists.end())
        return false;
    m_removed.push_back(found->url);
    m_lists.erase(found);
    return true;
}

FollowedList* FollowedLists::find(const std::string& url)
{
    const auto found = std::find_if(
        m_lists.begin(), m_lists.end(), [&](const FollowedList& list) { return list.url == url; });
    return found == m_lists.end() ? nullptr : &*found;
}

void FollowedLists::keepCopy(const std::string& url, std::string text)
{
    m_newCopies.emplace_back(url, std::move(text));
}

std::filesystem::path FollowedLists::copyPath(const std::string& url) const
{
    return m_copies / copyName(url);
}
