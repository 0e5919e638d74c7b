#include "common/SecretStoreChoice.h"

#include "common/DataFolder.h"
#include "common/FileSecretStore.h"
#include "common/SecretServiceStore.h"

#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kFileChoice = "file";

} // namespace

std::unique_ptr<ISecretStore> openSecretStore(const DataFolder& folder, IMessageBox& messages)
{
    const char* choice = std::getenv(kSecretStoreVariable);
    if ((!choice || std::string_view(choice) != kFileChoice) && SecretServiceStore::available())
        return std::make_unique<SecretServiceStore>(folder.keyringIdentity());
    return std::make_unique<FileSecretStore>(folder.secrets(), messages);
}
