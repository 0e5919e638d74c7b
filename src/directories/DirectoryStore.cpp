#include "directories/DirectoryStore.h"

#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/DecimalText.h"
#include "common/FileLock.h"
#include "common/IMessageBox.h"
#include "common/XmlErrorText.h"
#include "common/XmlText.h"
#include "directories/HostKey.h"
#include "directories/Scrambling.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <stdexcept>
#include <unordered_map>

namespace {

constexpr const char* kLoadFailed = "An exception occurred while loading the directory list";
constexpr const char* kReadFailed = "An error occurred while retrieving directory names";
constexpr const char* kRevisionXmlFailed = "An error occurred in GetLatestDirectoryRevision: ";
constexpr const char* kRevisionFailed = "Error in GetLatestDirectoryRevision";
constexpr const char* kVariablesXmlFailed = "An error occurred in GetVariablesForDirectory: ";
constexpr const char* kVariablesFailed = "Error in GetVariablesForDirectory";
constexpr const char* kVariableError = "Error on variable ";
constexpr const char* kSerializeFailed = "An error occurred in Serialize";
constexpr const char* kSaveFailed = "An exception occurred while saving your custom directory list: ";
constexpr const char* kUnsupportedType = "Unsupported control type";

// A directory element that cannot be read; ends the reading of a file.
struct RecordReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The attributes of one element that a reader wants, found in one walk over
// them: looking each up by name walks them all again for every name, which
// was most of the time spent reading a large database. As with a lookup by
// name, the first attribute of a name counts.
class ElementAttributes {
public:
    static constexpr std::size_t kMost = 10;

    // At most kMost names.
    ElementAttributes(const pugi::xml_node& element, std::span<const char* const> names)
    {
        for (const pugi::xml_attribute& attribute : element.attributes()) {
            const char* name = attribute.name();
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (names[i][0] == name[0] && std::strcmp(names[i], name) == 0) {
                    if (!m_found[i])
                        m_found[i] = attribute;
                    break;
                }
            }
        }
    }

    // The attribute of the i-th name, empty when the element has none.
    pugi::xml_attribute operator[](std::size_t i) const { return m_found[i]; }
    std::string text(std::size_t i) const { return m_found[i].value(); }
    std::int32_t number(std::size_t i) const { return parseDecimal(m_found[i].value()); }

private:
    std::array<pugi::xml_attribute, kMost> m_found {};
};

enum DirectoryAttribute : std::size_t {
    kName,
    kSubmitUrl,
    kPr,
    kRevision,
    kOnSubmit,
    kCategory,
    kRating,
    kLinkType,
    kPricing,
    kUnlisted
};
constexpr std::array<const char*, ElementAttributes::kMost> kDirectoryAttributes = { "name", "submiturl",
    "pr", "revision", "onsubmit", "category", "rating", "linktype", "pricing", "unlisted" };

enum ItemAttribute : std::size_t { kItemName, kItemIndex, kItemValue, kItemType };
constexpr std::array<const char*, 4> kItemAttributes = { "name", "index", "value", "type" };

void appendDeclaration(pugi::xml_document& document)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
}

} // namespace

DirectoryStore::DirectoryStore(IMessageBox& messages, std::string rootName)
    : m_messages(messages)
    , m_rootName(std::move(rootName))
{
}

// Reads a scrambled database straight into the buffer the document parses in
// place: the file's 30 MB are neither copied nor held twice. False when the
// file cannot be read so (it is missing, or changes meanwhile); the document
// is then untouched.
bool DirectoryStore::loadScrambledInPlace(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(file, error);
    if (error)
        return false;
    const std::size_t size = kScrambledDeclaration.size() + static_cast<std::size_t>(fileSize);
    XmlTextBuffer text = allocateXmlText(size);
    if (!readFileInto(file, text.get() + kScrambledDeclaration.size(), static_cast<std::size_t>(fileSize)))
        return false;
    unscrambleDatabaseInPlace(text.get(), size);
    resetDocument();
    // A text that is not well-formed XML leaves an empty document and an empty store.
    parseXmlTextInPlace(m_document, std::move(text), size);
    m_records.clear();
    readRecords();
    return true;
}

bool DirectoryStore::Load(const std::filesystem::path& file, bool plain, bool createIfMissing)
{
    try {
        if (!plain && loadScrambledInPlace(file))
            return true;
        std::optional<std::string> bytes = readFileBytes(file);
        resetDocument();
        if (!bytes) {
            if (!createIfMissing)
                return false;
            startNewDocument();
            if (plain)
                noteFileRecords(file, {});
            return true;
        }
        // A text that is not well-formed XML leaves an empty document and an empty store.
        if (plain)
            parseXmlText(m_document, *bytes);
        else
            parseXmlText(m_document, unscrambleDatabase(*bytes));
        bytes.reset();
        m_records.clear();
        readRecords();
        if (plain)
            noteFileRecords(file);
        return true;
    } catch (...) {
        // Only memory can run out here; the parser reports nothing it cannot read.
        showError(kLoadFailed);
    }
    return false;
}

bool DirectoryStore::LoadMain(const DataFolder& folder, bool plain)
{
    return Load(folder.mainDatabase(), plain, true);
}

bool DirectoryStore::GetDirectoryNames(std::vector<std::string>& names) const
{
    names.clear();
    names.reserve(m_records.size());
    for (const auto& entry : m_records)
        names.push_back(entry.first);
    return true;
}

std::int32_t DirectoryStore::GetLatestDirectoryRevision() const
{
    if (!m_hasDocument)
        return -1;
    try {
        const std::string path = "/" + m_rootName + "/latestrevision/@no";
        const pugi::xpath_node revision = m_document.select_node(path.c_str());
        if (!revision)
            return 1;
        return parseDecimal(revision.attribute().value());
    } catch (const pugi::xpath_exception& error) {
        showError(kRevisionXmlFailed + xmlErrorText(error.what(), {}));
    } catch (...) {
        showError(kRevisionFailed);
    }
    return 1;
}

std::int32_t DirectoryStore::GetRevision(const std::string& name) const
{
    const DirectoryRecord* record = find(name);
    return record ? record->revision : 0;
}

bool DirectoryStore::SetRevision(const std::string& name, std::int32_t revision)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->revision = revision;
    return record != nullptr;
}

std::int32_t DirectoryStore::GetPR(const std::string& name) const
{
    const DirectoryRecord* record = find(name);
    return record ? record->pr : 0;
}

bool DirectoryStore::SetPR(const std::string& name, std::int32_t pr)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->pr = pr;
    return record != nullptr;
}

std::string DirectoryStore::GetSubmitUrl(const std::string& name) const
{
    const DirectoryRecord* record = find(name);
    return record ? record->submitUrl : std::string();
}

bool DirectoryStore::SetSubmitUrl(const std::string& name, const std::string& url)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->submitUrl = url;
    return record != nullptr;
}

std::string DirectoryStore::GetCategory(const std::string& name) const
{
    const DirectoryRecord* record = find(name);
    return record ? record->category : std::string();
}

bool DirectoryStore::SetCategory(const std::string& name, const std::string& category)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->category = category;
    return record != nullptr;
}

std::string DirectoryStore::GetOnSubmit(const std::string& name) const
{
    const DirectoryRecord* record = find(name);
    return record ? record->onSubmit : std::string();
}

bool DirectoryStore::SetListFacts(const std::string& name, const DirectoryListFacts& facts)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->listFacts = facts;
    return record != nullptr;
}

bool DirectoryStore::GetItems(const std::string& name, std::vector<DirectoryItem>& items) const
{
    const DirectoryRecord* record = find(name);
    if (record)
        items = record->items;
    return record != nullptr;
}

bool DirectoryStore::SetItems(const std::string& name, const std::vector<DirectoryItem>& items)
{
    DirectoryRecord* record = findRecord(name);
    if (record)
        record->items = items;
    return record != nullptr;
}

bool DirectoryStore::AddDirectory(const std::string& name)
{
    auto [position, inserted] = m_records.try_emplace(name);
    if (inserted)
        position->second.name = name;
    return inserted;
}

bool DirectoryStore::RemoveDirectory(const std::string& name)
{
    return m_records.erase(name) > 0;
}

void DirectoryStore::Serialize()
{
    try {
        resetDocument();
        startNewDocument();
        pugi::xml_node root = m_document.child(m_rootName.c_str());
        for (const auto& [name, record] : m_records) {
            pugi::xml_node directory = root.append_child("directory");
            directory.append_attribute("name") = record.name.c_str();
            directory.append_attribute("submiturl") = record.submitUrl.c_str();
            directory.append_attribute("onsubmit") = record.onSubmit.c_str();
            directory.append_attribute("category") = record.category.c_str();
            directory.append_attribute("pr") = record.pr;
            directory.append_attribute("revision") = record.revision;
            // Written only when a list gave them, so that other files stay as they were.
            const DirectoryListFacts& facts = record.listFacts;
            if (facts.rating != DirectoryListFacts::kUnknownRating)
                directory.append_attribute("rating") = facts.rating;
            if (!facts.linkType.empty())
                directory.append_attribute("linktype") = facts.linkType.c_str();
            if (!facts.pricing.empty())
                directory.append_attribute("pricing") = facts.pricing.c_str();
            if (facts.unlisted)
                directory.append_attribute("unlisted") = "true";
            for (const DirectoryItem& item : record.items) {
                pugi::xml_node element = directory.append_child("item");
                element.append_attribute("name") = item.name.c_str();
                element.append_attribute("value") = item.value.c_str();
                element.append_attribute("index") = item.index;
                // Every kind is written: the reader takes a missing type as Edit, so a
                // reciprocal item saved without one would come back as an edit field.
                element.append_attribute("type") = std::string(controlTypeText(item.type)).c_str();
            }
        }
    } catch (...) {
        showError(kSerializeFailed);
    }
}

bool DirectoryStore::SaveCustom(const std::filesystem::path& file, bool save)
{
    if (!save)
        return true;
    // Without a lock (no lock file can be made there) the write below tells what is wrong.
    const FileLock lock(lockFileFor(file));
    takeInChangesOnDisk(file);
    Serialize();
    if (auto error = writeFileAtomically(file, documentText())) {
        showError(kSaveFailed + xmlErrorText(error->message, error->details));
        return false;
    }
    noteFileRecords(file);
    return true;
}

bool DirectoryStore::GetVariablesForDirectory(const std::string& name, const std::string& category,
    const std::string& subcategory, std::map<std::string, std::string>& variables) const
{
    const std::string directoryName = name.substr(0, name.find('['));
    try {
        // The name is bound as a variable, so apostrophes and quotes cannot break the query.
        pugi::xpath_variable_set bindings;
        bindings.set("name", directoryName.c_str());
        const std::string path = "/" + m_rootName + "/directory[@name = $name]/variable";
        const pugi::xpath_query query(path.c_str(), &bindings);
        for (const pugi::xpath_node& found : query.evaluate_node_set(m_document)) {
            const pugi::xml_node variable = found.node();
            const std::string variableName = variable.attribute("name").value();
            std::string value;
            for (const pugi::xml_node& condition : variable.children("cond")) {
                const pugi::xml_attribute conditionCategory = condition.attribute("category");
                const pugi::xml_attribute conditionSubcategory = condition.attribute("subcategory");
                if (conditionCategory && category != conditionCategory.value())
                    continue;
                if (conditionSubcategory && subcategory != conditionSubcategory.value())
                    continue;
                if (const pugi::xml_attribute conditionValue = condition.attribute("value")) {
                    value = conditionValue.value();
                    break;
                }
            }
            if (!variableName.empty() && !value.empty())
                variables.emplace(variableName, value);
            else
                m_messages.show(kVariableError, variableName, MessageIcon::None);
        }
    } catch (const pugi::xpath_exception& error) {
        showError(kVariablesXmlFailed + xmlErrorText(error.what(), {}));
    } catch (...) {
        m_messages.show(kVariablesFailed, name, MessageIcon::Error);
    }
    return true;
}

void DirectoryStore::MergeCustom(DirectoryStore& custom, const DataFolder& folder)
{
    custom.Load(folder.customDatabase(), true, true);
    // Without a dirdata.xml, loading keeps the records, which here are the last merge's:
    // a custom directory disabled, renamed or removed since would stay listed.
    m_records.clear();
    LoadMain(folder, false);
    mergeLoadedCustom(custom);
}

void DirectoryStore::mergeLoadedCustom(const DirectoryStore& custom)
{
    // The first main directory of each host key; views into this store's records,
    // which stay untouched until every removal is known.
    std::unordered_map<std::string_view, const std::string*> mainNameByHost;
    mainNameByHost.reserve(m_records.size());
    for (const auto& [name, record] : m_records)
        mainNameByHost.try_emplace(hostKeyView(record.submitUrl), &name);

    std::vector<std::string> replaced;
    for (const auto& [name, record] : custom.m_records) {
        if (m_records.contains(name)) {
            replaced.push_back(name);
            continue;
        }
        // A main directory that a custom one of its own name replaces anyway is not
        // removed by host key, so custom directories never push each other out.
        const auto sameHost = mainNameByHost.find(hostKeyView(record.submitUrl));
        if (sameHost != mainNameByHost.end() && !custom.m_records.contains(*sameHost->second))
            replaced.push_back(*sameHost->second);
    }
    for (const std::string& name : replaced)
        m_records.erase(name);

    for (const auto& [name, record] : custom.m_records) {
        DirectoryRecord& merged = m_records[name];
        merged.name = name;
        merged.submitUrl = record.submitUrl;
        merged.category = record.category;
        merged.pr = record.pr;
        merged.items = record.items;
        merged.revision = record.revision;
        merged.listFacts = record.listFacts;
    }
}

const DirectoryRecord* DirectoryStore::find(const std::string& name) const
{
    const auto found = m_records.find(name);
    return found == m_records.end() ? nullptr : &found->second;
}

std::string DirectoryStore::documentText() const
{
    return xmlDocumentText(m_document, XmlLayout::Indented);
}

DirectoryRecord* DirectoryStore::findRecord(const std::string& name)
{
    const auto found = m_records.find(name);
    return found == m_records.end() ? nullptr : &found->second;
}

void DirectoryStore::readRecords()
{
    try {
        const pugi::xml_node root = m_document.child(m_rootName.c_str());
        for (const pugi::xml_node& directory : root.children("directory")) {
            const pugi::xml_attribute enabled = directory.attribute("enabled");
            if (enabled && std::string_view(enabled.value()) != "true")
                continue;
            DirectoryRecord record = readRecord(directory);
            const std::string name = record.name;
            m_records.try_emplace(name, std::move(record));
        }
    } catch (const RecordReadError& error) {
        showError(std::string(kReadFailed) + ": " + error.what());
    } catch (...) {
        showError(kReadFailed);
    }
}

DirectoryRecord DirectoryStore::readRecord(const pugi::xml_node& directory) const
{
    const ElementAttributes attributes(directory, kDirectoryAttributes);
    if (!attributes[kName])
        throw RecordReadError(xmlErrorText("Missing attribute \"name\"",
            "a directory element has no name; the directories after it are not read"));
    DirectoryRecord record;
    record.name = attributes.text(kName);
    record.submitUrl = attributes.text(kSubmitUrl);
    record.pr = attributes.number(kPr);
    record.revision = attributes.number(kRevision);
    record.onSubmit = attributes.text(kOnSubmit);
    record.category = attributes.text(kCategory);
    if (attributes[kRating])
        record.listFacts.rating = std::clamp(attributes.number(kRating), 0, 100);
    record.listFacts.linkType = attributes.text(kLinkType);
    record.listFacts.pricing = attributes.text(kPricing);
    record.listFacts.unlisted = attributes.text(kUnlisted) == "true";
    for (const pugi::xml_node& element : directory.children("item")) {
        const ElementAttributes itemAttributes(element, kItemAttributes);
        DirectoryItem item;
        item.name = itemAttributes.text(kItemName);
        item.index = itemAttributes.number(kItemIndex);
        item.value = itemAttributes.text(kItemValue);
        // An absent type is an Edit; an unknown one is reported and read as Edit.
        if (const pugi::xml_attribute type = itemAttributes[kItemType]) {
            if (const auto known = controlTypeFromText(type.value()))
                item.type = *known;
            else
                m_messages.show(kUnsupportedType, record.name, MessageIcon::Error);
        }
        record.items.push_back(std::move(item));
    }
    return record;
}

void DirectoryStore::takeInChangesOnDisk(const std::filesystem::path& file)
{
    // A store that never read the file replaces it, as a "save as" would.
    if (file != m_file)
        return;
    DirectoryStore onDisk(m_messages, m_rootName);
    // A file that is gone or holds no such database has nothing to keep.
    if (!onDisk.Load(file, true, false) || !onDisk.m_document.child(m_rootName.c_str()))
        return;
    const RecordMap& read = m_fileRecords;
    RecordMap merged = std::move(onDisk.m_records);
    for (const auto& [name, record] : read) {
        if (!m_records.contains(name))
            merged.erase(name);
    }
    for (const auto& [name, record] : m_records) {
        const auto before = read.find(name);
        if (before == read.end() || before->second != record)
            merged.insert_or_assign(name, record);
    }
    m_records = std::move(merged);
}

void DirectoryStore::noteFileRecords(const std::filesystem::path& file)
{
    noteFileRecords(file, m_records);
}

void DirectoryStore::noteFileRecords(const std::filesystem::path& file, RecordMap records)
{
    m_file = file;
    m_fileRecords = std::move(records);
}

void DirectoryStore::resetDocument()
{
    m_document.reset();
    m_hasDocument = true;
}

void DirectoryStore::startNewDocument()
{
    appendDeclaration(m_document);
    m_document.append_child(m_rootName.c_str());
}

void DirectoryStore::showError(const std::string& text) const
{
    m_messages.show(text, kVanteloCaption, MessageIcon::Error);
}
