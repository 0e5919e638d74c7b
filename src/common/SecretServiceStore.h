#pragma once

#include "common/ISecretStore.h"

#include <filesystem>

// The desktop's keyring through the Secret Service (GNOME Keyring, KeePassXC,
// KWallet), by libsecret. Every item carries the attribute application "vantelo",
// its kind, profile and directory, a directory account's user name, and the
// identity of the data folder it belongs to ("folder", kept in the folder so that
// it moves with it), so that two data folders with profiles of the same name keep
// their secrets apart. A locked keyring is
// unlocked when a secret is read, which may ask the user for its password.
class SecretServiceStore : public ISecretStore {
public:
    // The application attribute of every item.
    static constexpr const char* kApplication = "vantelo";

    // Whether the session's Secret Service answers; asks the user nothing.
    static bool available();
    // The items of the data folder whose identity the file holds; the file is
    // made (with a new identity) when the first item is stored.
    explicit SecretServiceStore(std::filesystem::path identityFile);

    SecretSearch search(const SecretQuery& query) override;
    std::optional<std::string> store(const StoredSecret& item) override;
    std::optional<std::string> remove(const SecretQuery& query) override;
    std::string location() const override;

private:
    // The folder's identity; empty when it has none and `make` is false.
    std::string identity(bool make);

    std::filesystem::path m_identityFile;
    std::string m_identity;
};
