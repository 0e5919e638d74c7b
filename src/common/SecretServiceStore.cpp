#include "common/SecretServiceStore.h"

#include "common/AtomicFile.h"
#include "common/TrimmedText.h"

#include <libsecret/secret.h>

#include <map>
#include <random>

namespace {

constexpr const char* kApplicationAttribute = "application";
constexpr const char* kKindAttribute = "kind";
constexpr const char* kProfileAttribute = "profile";
constexpr const char* kDirectoryAttribute = "directory";
constexpr const char* kUserNameAttribute = "username";
constexpr const char* kFolderAttribute = "folder";
constexpr std::size_t kIdentityBytes = 16;

std::string newIdentity()
{
    std::random_device device;
    constexpr const char* kDigits = "0123456789abcdef";
    std::string identity;
    for (std::size_t at = 0; at < kIdentityBytes; ++at) {
        const unsigned byte = device() & 0xFFu;
        identity += kDigits[byte >> 4];
        identity += kDigits[byte & 0xFu];
    }
    return identity;
}

const SecretSchema& schema()
{
    static const SecretSchema schema = [] {
        SecretSchema made {};
        made.name = "org.vantelo.Secret";
        // Items are found by their attributes alone, as secret-tool finds them.
        made.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        const char* const names[] = { kApplicationAttribute, kKindAttribute, kProfileAttribute,
            kDirectoryAttribute, kUserNameAttribute, kFolderAttribute };
        for (std::size_t at = 0; at < std::size(names); ++at)
            made.attributes[at] = { names[at], SECRET_SCHEMA_ATTRIBUTE_STRING };
        return made;
    }();
    return schema;
}

// The attributes of one call; the texts live as long as the table.
class Attributes {
public:
    explicit Attributes(std::map<std::string, std::string> values)
        : m_values(std::move(values))
        , m_table(g_hash_table_new(g_str_hash, g_str_equal))
    {
        for (const auto& [name, value] : m_values)
            g_hash_table_insert(m_table, const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str()));
    }
    ~Attributes() { g_hash_table_unref(m_table); }
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;

    GHashTable* table() const { return m_table; }

private:
    std::map<std::string, std::string> m_values;
    GHashTable* m_table;
};

// Takes a GError's message and frees it.
std::string messageOf(GError* error)
{
    std::string text = error && error->message ? error->message : "the keyring gave no reason";
    if (error)
        g_error_free(error);
    return "the keyring (Secret Service) refused: " + text;
}

// The attributes a query names, with the two every item of the folder has.
std::map<std::string, std::string> queryValues(const SecretQuery& query, const std::string& folder)
{
    std::map<std::string, std::string> values { { kApplicationAttribute, SecretServiceStore::kApplication },
        { kFolderAttribute, folder } };
    if (query.kind)
        values[kKindAttribute] = std::string(secretKindName(*query.kind));
    if (query.profile)
        values[kProfileAttribute] = *query.profile;
    if (query.directory)
        values[kDirectoryAttribute] = *query.directory;
    return values;
}

std::string attributeOf(GHashTable* attributes, const char* name)
{
    const auto* value = static_cast<const char*>(g_hash_table_lookup(attributes, name));
    return value ? value : "";
}

std::string labelOf(const SecretKey& key)
{
    switch (key.kind) {
    case SecretKind::ProfilePassword:
        return "Vantelo: password of the profile " + key.profile;
    case SecretKind::ReciprocalPassword:
        return "Vantelo: reciprocal script password of the profile " + key.profile;
    case SecretKind::DirectoryAccount:
        return "Vantelo: account at " + key.directory + " (profile " + key.profile + ")";
    case SecretKind::OpenPageRankKey:
        return "Vantelo: Open PageRank API key";
    case SecretKind::BraveKey:
        return "Vantelo: Brave Search API key";
    }
    return "Vantelo";
}

// Reads one found item; nothing when its kind is unknown or its secret cannot be had.
std::optional<StoredSecret> itemOf(SecretRetrievable* found, std::optional<std::string>& error)
{
    GHashTable* attributes = secret_retrievable_get_attributes(found);
    const std::optional<SecretKind> kind = secretKindNamed(attributeOf(attributes, kKindAttribute));
    StoredSecret item { { kind.value_or(SecretKind::ProfilePassword),
                            attributeOf(attributes, kProfileAttribute),
                            attributeOf(attributes, kDirectoryAttribute) },
        attributeOf(attributes, kUserNameAttribute), {} };
    g_hash_table_unref(attributes);
    if (!kind)
        return std::nullopt;
    GError* failure = nullptr;
    SecretValue* value = secret_retrievable_retrieve_secret_sync(found, nullptr, &failure);
    if (!value) {
        error = messageOf(failure);
        return std::nullopt;
    }
    gsize length = 0;
    const gchar* bytes = secret_value_get(value, &length);
    item.secret.assign(bytes, length);
    secret_value_unref(value);
    return item;
}

} // namespace

SecretServiceStore::SecretServiceStore(std::filesystem::path identityFile)
    : m_identityFile(std::move(identityFile))
{
}

bool SecretServiceStore::available()
{
    // A search that unlocks nothing and reads no secret asks the user nothing;
    // it fails when the session has no bus or the bus no Secret Service.
    const Attributes attributes(
        std::map<std::string, std::string> { { kApplicationAttribute, kApplication } });
    GError* failure = nullptr;
    GList* found =
        secret_password_searchv_sync(&schema(), attributes.table(), SECRET_SEARCH_NONE, nullptr, &failure);
    if (failure) {
        g_error_free(failure);
        return false;
    }
    g_list_free_full(found, g_object_unref);
    return true;
}

SecretSearch SecretServiceStore::search(const SecretQuery& query)
{
    SecretSearch search;
    // A folder that never stored anything has nothing in the keyring.
    const std::string folder = identity(false);
    if (folder.empty())
        return search;
    const Attributes attributes(queryValues(query, folder));
    const auto flags =
        static_cast<SecretSearchFlags>(SECRET_SEARCH_ALL | SECRET_SEARCH_UNLOCK | SECRET_SEARCH_LOAD_SECRETS);
    GError* failure = nullptr;
    GList* found = secret_password_searchv_sync(&schema(), attributes.table(), flags, nullptr, &failure);
    if (failure) {
        search.error = messageOf(failure);
        return search;
    }
    for (GList* each = found; each; each = each->next) {
        if (std::optional<StoredSecret> item =
                itemOf(static_cast<SecretRetrievable*>(each->data), search.error))
            search.items.push_back(std::move(*item));
    }
    g_list_free_full(found, g_object_unref);
    return search;
}

std::optional<std::string> SecretServiceStore::store(const StoredSecret& item)
{
    // An item with another user name would be a second item of the same key.
    if (std::optional<std::string> error = remove(SecretQuery::of(item.key)))
        return error;
    const std::string folder = identity(true);
    if (folder.empty())
        return "cannot keep the identity of the data folder in " + m_identityFile.string();
    const Attributes attributes(std::map<std::string, std::string> { { kApplicationAttribute, kApplication },
        { kFolderAttribute, folder }, { kKindAttribute, std::string(secretKindName(item.key.kind)) },
        { kProfileAttribute, item.key.profile }, { kDirectoryAttribute, item.key.directory },
        { kUserNameAttribute, item.userName } });
    GError* failure = nullptr;
    const bool stored = secret_password_storev_sync(&schema(), attributes.table(), SECRET_COLLECTION_DEFAULT,
        labelOf(item.key).c_str(), item.secret.c_str(), nullptr, &failure);
    if (!stored)
        return messageOf(failure);
    return std::nullopt;
}

std::optional<std::string> SecretServiceStore::remove(const SecretQuery& query)
{
    const std::string folder = identity(false);
    if (folder.empty())
        return std::nullopt;
    const Attributes attributes(queryValues(query, folder));
    GError* failure = nullptr;
    // False without an error: there was nothing to remove.
    secret_password_clearv_sync(&schema(), attributes.table(), nullptr, &failure);
    if (failure)
        return messageOf(failure);
    return std::nullopt;
}

std::string SecretServiceStore::location() const
{
    return "the desktop keyring (Secret Service)";
}

std::string SecretServiceStore::identity(bool make)
{
    if (!m_identity.empty())
        return m_identity;
    if (const std::optional<std::string> bytes = readFileBytes(m_identityFile))
        m_identity = trimmed(*bytes, " \t\r\n");
    if (!m_identity.empty() || !make)
        return m_identity;
    const std::string made = newIdentity();
    std::error_code ignored;
    std::filesystem::create_directories(m_identityFile.parent_path(), ignored);
    if (!writeFileAtomically(m_identityFile, made + "\n"))
        m_identity = made;
    return m_identity;
}
