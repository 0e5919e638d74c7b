#pragma once

#include "common/HostConfiguration.h"

class DataFolder;

// The servers named in the data folder's data/settings.xml; the list checker
// has no settings of its own and only reads these. Defaults when the file is
// missing or unreadable.
HostConfiguration readCheckerHosts(const DataFolder& folder);
