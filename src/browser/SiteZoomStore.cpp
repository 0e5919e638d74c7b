#include "browser/SiteZoomStore.h"

#include "browser/SiteHost.h"
#include "browser/ZoomLevels.h"
#include "common/AtomicFile.h"
#include "common/IMessageBox.h"
#include "common/XmlErrorText.h"
#include "common/XmlText.h"

#include <pugixml.hpp>

namespace {

constexpr const char* kRoot = "zoom";
constexpr const char* kSite = "site";
constexpr const char* kHost = "host";
constexpr const char* kPercent = "percent";
// What a page can be shown at.
constexpr int kLowestPercent = 25;
constexpr int kHighestPercent = 500;
constexpr int kDefaultPercent = 100;

} // namespace

SiteZoomStore::SiteZoomStore(IMessageBox& messages)
    : m_messages(messages)
{
}

void SiteZoomStore::open(const std::filesystem::path& file)
{
    m_file = file;
    m_percents.clear();
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        m_writable = true;
        return;
    }
    const std::optional<std::string> bytes = readFileBytes(file);
    pugi::xml_document document;
    if (!bytes || !parseXmlText(document, *bytes)
        || std::string_view(document.document_element().name()) != kRoot) {
        m_writable = false;
        m_messages.show(kUnreadable + file.string(), kVanteloCaption, MessageIcon::Warning);
        return;
    }
    m_writable = true;
    for (const pugi::xml_node& site : document.document_element().children(kSite)) {
        const std::string host = siteOfHost(site.attribute(kHost).as_string());
        const int percent = site.attribute(kPercent).as_int(kDefaultPercent);
        // Entries a hand edit broke are left out, and dropped at the next save.
        if (!host.empty() && percent >= kLowestPercent && percent <= kHighestPercent
            && percent != kDefaultPercent)
            m_percents[host] = percent;
    }
}

double SiteZoomStore::factor(std::string_view host) const
{
    const auto found = m_percents.find(siteOfHost(host));
    return found == m_percents.end() ? kDefaultZoom : found->second / 100.0;
}

void SiteZoomStore::setFactor(std::string_view host, double factor)
{
    const std::string site = siteOfHost(host);
    if (site.empty())
        return;
    const int percent = zoomPercent(factor);
    const auto found = m_percents.find(site);
    if (percent == kDefaultPercent) {
        if (found == m_percents.end())
            return;
        m_percents.erase(found);
    } else {
        if (found != m_percents.end() && found->second == percent)
            return;
        m_percents[site] = percent;
    }
    save();
}

void SiteZoomStore::save()
{
    if (!m_writable || m_file.empty())
        return;
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    pugi::xml_node root = document.append_child(kRoot);
    for (const auto& [site, percent] : m_percents) {
        pugi::xml_node entry = root.append_child(kSite);
        entry.append_attribute(kHost) = site.c_str();
        entry.append_attribute(kPercent) = percent;
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_file.parent_path(), ignored);
    if (const std::optional<FileWriteError> error =
            writeFileAtomically(m_file, xmlDocumentText(document, XmlLayout::Indented))) {
        // One message is enough: the levels stay in memory for the session.
        m_writable = false;
        m_messages.show(kSaveFailed + xmlErrorText(error->message, error->details), kVanteloCaption,
            MessageIcon::Warning);
    }
}
