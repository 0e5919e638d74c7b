#pragma once

#include "common/ISecretStore.h"

#include <filesystem>

class IMessageBox;

// The secrets in one file (data/secrets) that only its owner can read: where they
// are kept when the session has no keyring. The file is read for every search and
// written whole, atomically, on every change, so programs that share a data folder
// see each other's changes. Whoever makes the file is told once where the secrets are.
class FileSecretStore : public ISecretStore {
public:
    FileSecretStore(std::filesystem::path file, IMessageBox& messages);

    SecretSearch search(const SecretQuery& query) override;
    std::optional<std::string> store(const StoredSecret& item) override;
    std::optional<std::string> remove(const SecretQuery& query) override;
    std::string location() const override { return m_file.string(); }

private:
    // Every item of the file; an error text when it is there and cannot be read.
    SecretSearch readAll() const;
    std::optional<std::string> writeAll(const std::vector<StoredSecret>& items);

    std::filesystem::path m_file;
    IMessageBox& m_messages;
};
