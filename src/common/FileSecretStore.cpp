#include "common/FileSecretStore.h"

#include "common/AtomicFile.h"
#include "common/IMessageBox.h"
#include "common/XmlText.h"

#include <pugixml.hpp>

#include <algorithm>

namespace {

constexpr const char* kRoot = "secrets";
constexpr const char* kItem = "secret";
constexpr const char* kKind = "kind";
constexpr const char* kProfile = "profile";
constexpr const char* kDirectory = "directory";
constexpr const char* kUserName = "username";

std::string noticeText(const std::filesystem::path& file)
{
    return "This session has no keyring (Secret Service), so Vantelo keeps your passwords and API keys in "
        + file.string()
        + ", a file that only you can read. Start Vantelo in a desktop session with a keyring (GNOME "
          "Keyring, KeePassXC or KWallet) and they move into it.";
}

// Read byte for byte: a secret of blanks, or with a carriage return, stays as it was.
bool parseSecrets(pugi::xml_document& document, const std::string& bytes)
{
    const unsigned options = (pugi::parse_default | pugi::parse_ws_pcdata_single) & ~pugi::parse_eol;
    return document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
}

std::string failure(const std::filesystem::path& file, const std::string& what)
{
    return "cannot " + what + " " + file.string();
}

} // namespace

FileSecretStore::FileSecretStore(std::filesystem::path file, IMessageBox& messages)
    : m_file(std::move(file))
    , m_messages(messages)
{
}

SecretSearch FileSecretStore::search(const SecretQuery& query)
{
    SecretSearch all = readAll();
    std::erase_if(all.items, [&](const StoredSecret& item) { return !query.matches(item.key); });
    return all;
}

std::optional<std::string> FileSecretStore::store(const StoredSecret& item)
{
    SecretSearch all = readAll();
    if (all.error)
        return all.error;
    std::erase_if(all.items, [&](const StoredSecret& each) { return each.key == item.key; });
    all.items.push_back(item);
    std::error_code ignored;
    const bool made = !std::filesystem::exists(m_file, ignored);
    if (std::optional<std::string> error = writeAll(all.items))
        return error;
    if (made)
        m_messages.show(noticeText(m_file), kVanteloCaption, MessageIcon::Information);
    return std::nullopt;
}

std::optional<std::string> FileSecretStore::remove(const SecretQuery& query)
{
    SecretSearch all = readAll();
    if (all.error)
        return all.error;
    const std::size_t removed =
        std::erase_if(all.items, [&](const StoredSecret& item) { return query.matches(item.key); });
    return removed == 0 ? std::nullopt : writeAll(all.items);
}

SecretSearch FileSecretStore::readAll() const
{
    SecretSearch all;
    std::error_code error;
    if (!std::filesystem::exists(m_file, error))
        return all;
    const std::optional<std::string> bytes = readFileBytes(m_file);
    pugi::xml_document document;
    if (!bytes || !parseSecrets(document, *bytes) || !document.child(kRoot)) {
        all.error = failure(m_file, "read the secrets in");
        return all;
    }
    for (const pugi::xml_node& node : document.child(kRoot).children(kItem)) {
        const std::optional<SecretKind> kind = secretKindNamed(node.attribute(kKind).value());
        // An item of a kind this version does not know is kept in the file, unused.
        if (!kind)
            continue;
        all.items.push_back({ { *kind, node.attribute(kProfile).value(), node.attribute(kDirectory).value() },
            node.attribute(kUserName).value(), node.text().get() });
    }
    return all;
}

std::optional<std::string> FileSecretStore::writeAll(const std::vector<StoredSecret>& items)
{
    // Items of kinds this version does not know stay as they were.
    pugi::xml_document document;
    if (const std::optional<std::string> bytes = readFileBytes(m_file))
        parseSecrets(document, *bytes);
    pugi::xml_node root = document.child(kRoot);
    if (!root) {
        document.reset();
        document.append_child(pugi::node_declaration).append_attribute("version") = "1.0";
        root = document.append_child(kRoot);
    }
    for (pugi::xml_node node = root.child(kItem); node;) {
        const pugi::xml_node next = node.next_sibling(kItem);
        if (secretKindNamed(node.attribute(kKind).value()))
            root.remove_child(node);
        node = next;
    }
    for (const StoredSecret& item : items) {
        pugi::xml_node node = root.append_child(kItem);
        node.append_attribute(kKind) = std::string(secretKindName(item.key.kind)).c_str();
        node.append_attribute(kProfile) = item.key.profile.c_str();
        node.append_attribute(kDirectory) = item.key.directory.c_str();
        if (!item.userName.empty())
            node.append_attribute(kUserName) = item.userName.c_str();
        node.text().set(item.secret.c_str());
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_file.parent_path(), ignored);
    const std::optional<FileWriteError> error =
        writeFileAtomically(m_file, xmlDocumentText(document, XmlLayout::Indented), FileAccess::OwnerOnly);
    if (error)
        return failure(m_file, "write") + ": " + error->message;
    return std::nullopt;
}
