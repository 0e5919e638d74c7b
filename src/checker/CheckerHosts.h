#pragma once

#include "common/HostConfiguration.h"

class DataFolder;
class IMessageBox;

// The servers named in the data folder's data/settings.xml, with the API keys
// from the secret store; the list checker has no settings of its own and only
// reads these. Defaults when the file is missing or unreadable. Secrets that
// older files of the folder hold move into the secret store first, and the
// messages tell what could not.
HostConfiguration readCheckerHosts(const DataFolder& folder, IMessageBox& messages);
