#include "common/SettingsStore.h"

#include "common/AtomicFile.h"
#include "common/IMessageBox.h"
#include "common/XmlErrorText.h"
#include "common/XmlText.h"

#include <pugixml.hpp>

namespace {

constexpr const char* kSaveFailed = "An exception occurred while saving your settings: ";

// The text of an element whose first child is text; empty for anything else
// (an empty element, or one that starts with markup).
std::optional<std::string> elementText(const pugi::xml_node& element)
{
    const pugi::xml_node first = element.first_child();
    if (first.type() != pugi::node_pcdata && first.type() != pugi::node_cdata)
        return std::nullopt;
    return std::string(first.value());
}

} // namespace

SettingsStore::SettingsStore(IMessageBox& messages)
    : m_messages(messages)
{
}

bool SettingsStore::LoadSettings(const std::filesystem::path& file)
{
    m_entries.clear();
    const std::optional<std::string> bytes = readFileBytes(file);
    pugi::xml_document document;
    if (!bytes || !parseXmlText(document, *bytes) || !document.document_element())
        return false;
    for (const pugi::xml_node& element : document.document_element().children()) {
        if (element.type() != pugi::node_element)
            continue;
        if (std::optional<std::string> value = elementText(element))
            m_entries.emplace(element.name(), std::move(*value));
    }
    return true;
}

std::optional<std::string> SettingsStore::GetSetting(const std::string& key) const
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end())
        return std::nullopt;
    return found->second;
}

void SettingsStore::SetSetting(const std::string& key, const std::string& value)
{
    if (const auto found = m_entries.find(key); found != m_entries.end())
        m_entries.erase(found);
    m_entries.emplace(key, value);
}

bool SettingsStore::SaveSettings(const std::filesystem::path& file)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    pugi::xml_node root = document.append_child("settings");
    for (const auto& [key, value] : m_entries)
        root.append_child(key.c_str()).append_child(pugi::node_pcdata).set_value(value.c_str());

    // API keys and passwords may be among the settings.
    if (auto error =
            writeFileAtomically(file, xmlDocumentText(document, XmlLayout::Raw), FileAccess::OwnerOnly)) {
        m_messages.show(
            kSaveFailed + xmlErrorText(error->message, error->details), kVanteloCaption, MessageIcon::Error);
        return false;
    }
    return true;
}
