#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a stored secret is for.
enum class SecretKind {
    ProfilePassword, // the profile's one password for directories
    ReciprocalPassword, // the password of the profile's reciprocal link script
    DirectoryAccount, // a directory's own account: a user name and its password
    OpenPageRankKey, // the Open PageRank API key
    BraveKey, // the Brave Search API key
};

// The name a kind has in the stores ("password", "account", ...); nothing for a name no kind has.
std::string_view secretKindName(SecretKind kind);
std::optional<SecretKind> secretKindNamed(std::string_view name);

// Which secret: its kind and the profile and directory it belongs to, empty
// where the kind has none (the API keys belong to no profile).
struct SecretKey {
    SecretKind kind = SecretKind::ProfilePassword;
    std::string profile;
    std::string directory;

    bool operator==(const SecretKey&) const = default;
};

// One stored secret and what is kept beside it.
struct StoredSecret {
    SecretKey key;
    std::string userName; // a directory account's user name; empty for the other kinds
    std::string secret;

    bool operator==(const StoredSecret&) const = default;
};

// Which items a search finds; what is left empty matches any value.
struct SecretQuery {
    std::optional<SecretKind> kind;
    std::optional<std::string> profile;
    std::optional<std::string> directory;

    // The one item of a key.
    static SecretQuery of(const SecretKey& key) { return { key.kind, key.profile, key.directory }; }
    bool matches(const SecretKey& key) const;
};

// What a search found, or why it could not look.
struct SecretSearch {
    std::vector<StoredSecret> items;
    std::optional<std::string> error;
};

// Where passwords and API keys are kept, out of the data folder's own files: the
// desktop's keyring (Secret Service) or an owner-only file. Failures come back as
// texts that say what went wrong; nothing is thrown.
class ISecretStore {
public:
    virtual ~ISecretStore() = default;

    // The items that match, secrets included.
    virtual SecretSearch search(const SecretQuery& query) = 0;
    // Stores an item, replacing the one of its key; the error text when it was not stored.
    virtual std::optional<std::string> store(const StoredSecret& item) = 0;
    // Removes every item that matches; the error text when that failed.
    virtual std::optional<std::string> remove(const SecretQuery& query) = 0;
    // Where the secrets are, as messages name it.
    virtual std::string location() const = 0;
};

// The item of a key, when the store has it (a store that cannot be read has none).
std::optional<StoredSecret> findSecret(ISecretStore& store, const SecretKey& key);
// The secret of a key; empty when there is none.
std::string secretOf(ISecretStore& store, const SecretKey& key);
