#pragma once

class DataFolder;
class IMessageBox;
class ISecretStore;

namespace SendingProfile {

// Moves the secrets that older versions kept in a data folder's files into the
// secret store, as any of the programs starts: the API keys of data/settings.xml,
// the passwords and reciprocal script passwords of sv.xml, the passwords of an
// sv.dat and those of the copies kept of an sv.xml that could not be read; and
// what data/secrets holds once the session has a keyring. Each file is rewritten
// without them (atomically) only after the store took them, so a secret the
// store refuses stays where it was, and the user is told. A folder without
// clear-text secrets is left as it is.
void moveSecretsIntoStore(const DataFolder& folder, ISecretStore& secrets, IMessageBox& messages);

} // namespace SendingProfile
