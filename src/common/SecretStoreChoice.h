#pragma once

#include "common/ISecretStore.h"

#include <memory>

class DataFolder;
class IMessageBox;

// The environment variable that keeps the secrets in data/secrets ("file")
// whatever the session offers, for a data folder carried between machines.
inline constexpr const char* kSecretStoreVariable = "VANTELO_SECRET_STORE";

// The store of a data folder's secrets: the desktop keyring when the session has
// one, else the owner-only file data/secrets. The messages tell the user, once,
// that the file holds them.
std::unique_ptr<ISecretStore> openSecretStore(const DataFolder& folder, IMessageBox& messages);
