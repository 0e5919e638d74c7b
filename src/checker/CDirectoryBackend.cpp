#include "checker/CDirectoryBackend.h"

#include "checker/CheckerCaptions.h"
#include "common/DecimalText.h"
#include "common/IMessageBox.h"
#include "common/WideText.h"
#include "common/XmlText.h"
#include "directories/Scrambling.h"

#include <pugixml.hpp>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kLoadFailed =
    "Failed to load directory database. Please check that you have a valid XML document";
constexpr const char* kLoadException = "An exception occurred while loading the directory list";
constexpr std::string_view kLoadedStatus = "Loaded %d directories (enabled+disabled)";

constexpr const char* kDirectoryElement = "directory";
constexpr const char* kNameAttribute = "name";
constexpr const char* kSubmitUrlAttribute = "submiturl";
constexpr const char* kPageRankAttribute = "pr";
constexpr const char* kEnabledAttribute = "enabled";
constexpr const char* kTrue = "true";
constexpr const char* kFalse = "false";

// The declaration, comments and processing instructions are kept, so that a
// saved file differs from the loaded one only where the checker changed it.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments
    | pugi::parse_pi | pugi::parse_doctype;

pugi::xml_attribute attributeToWrite(pugi::xml_node node, const char* name)
{
    pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? attribute : node.append_attribute(name);
}

} // namespace

class CDirectoryBackend::CDirectoryEnumerator : public IDirectoryEnumerator {
public:
    explicit CDirectoryEnumerator(std::shared_ptr<pugi::xml_document> document)
        : m_document(std::move(document))
    {
        if (!m_document)
            return;
        for (pugi::xml_node directory : m_document->document_element().children(kDirectoryElement))
            m_nodes.push_back(directory);
    }

    int Count() const override { return static_cast<int>(m_nodes.size()); }

    bool MoveNext() override
    {
        if (m_next >= m_nodes.size()) {
            m_current = {};
            return false;
        }
        m_current = m_nodes[m_next++];
        return true;
    }

    std::u16string GetName() const override
    {
        return utf16FromUtf8(m_current.attribute(kNameAttribute).value());
    }

    std::u16string GetSubmitUrl() const override
    {
        return utf16FromUtf8(m_current.attribute(kSubmitUrlAttribute).value());
    }

    std::int32_t GetPR() const override
    {
        if (!m_current)
            return -1;
        return parseDecimal(m_current.attribute(kPageRankAttribute).value());
    }

    void SetPR(std::int32_t pageRank) override
    {
        if (m_current)
            attributeToWrite(m_current, kPageRankAttribute).set_value(std::to_string(pageRank).c_str());
    }

    bool IsEnabled() const override
    {
        return m_current && std::strcmp(m_current.attribute(kEnabledAttribute).value(), kFalse) != 0;
    }

    void SetEnabled(bool enabled) override
    {
        if (m_current)
            attributeToWrite(m_current, kEnabledAttribute).set_value(enabled ? kTrue : kFalse);
    }

private:
    std::shared_ptr<pugi::xml_document> m_document;
    std::vector<pugi::xml_node> m_nodes;
    std::size_t m_next = 0;
    pugi::xml_node m_current;
};

CDirectoryBackend::CDirectoryBackend() = default;
CDirectoryBackend::~CDirectoryBackend() = default;

bool CDirectoryBackend::LoadDatabase(const std::filesystem::path& file, IMessageBox& messages)
{
    try {
        std::optional<std::string> bytes = readFileBytes(file);
        if (bytes) {
            const bool scrambled = bytes->empty() || bytes->front() != '<';
            if (scrambled)
                bytes = unscrambleDatabase(*bytes);
            auto document = std::make_shared<pugi::xml_document>();
            const pugi::xml_parse_result parsed =
                document->load_buffer(bytes->data(), bytes->size(), kParseOptions, pugi::encoding_utf8);
            if (parsed.status == pugi::status_out_of_memory)
                messages.show(std::string(kLoadException) + ": " + parsed.description(), kDbCheckerCaption,
                    MessageIcon::Error);
            if (parsed && document->document_element()) {
                m_document = std::move(document);
                m_scrambled = scrambled;
                m_path = file;
                return true;
            }
        }
    } catch (const std::exception&) {
        messages.show(kLoadException, kDbCheckerCaption, MessageIcon::Error);
    }
    messages.show(kLoadFailed, kListCheckerCaption, MessageIcon::Warning);
    return false;
}

std::shared_ptr<IDirectoryEnumerator> CDirectoryBackend::CreateEnumerator()
{
    return std::make_shared<CDirectoryEnumerator>(m_document);
}

std::string CDirectoryBackend::fileBytes() const
{
    if (!m_document)
        return {};
    const std::string text = xmlDocumentText(*m_document, XmlLayout::Indented);
    return m_scrambled ? scrambleDatabase(text) : text;
}

std::optional<FileWriteError> CDirectoryBackend::saveDatabase(const std::filesystem::path& file) const
{
    return writeFileAtomically(file, fileBytes());
}

std::string loadedStatusText(int count)
{
    std::string text(kLoadedStatus);
    text.replace(text.find("%d"), 2, std::to_string(count));
    return text;
}
