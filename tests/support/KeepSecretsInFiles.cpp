// The programs run by these tests (vantelo-cli in this process, the main window's
// state) keep their secrets in the tests' temporary data folders, never in the
// keyring of the desktop the tests run on.

#include "common/SecretStoreChoice.h"

#include <cstdlib>

namespace {

[[maybe_unused]] const bool kSecretsInFiles = ::setenv(kSecretStoreVariable, "file", 0) == 0;

} // namespace
