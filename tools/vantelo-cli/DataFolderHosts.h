#pragma once

#include "common/HostConfiguration.h"

#include <optional>
#include <string>

// The servers named in data/settings.xml of the data folder that --data-dir
// (or VANTELO_DATA_DIR) chooses; defaults without a settings file. A settings
// file that is there but cannot be read is an error (std::runtime_error).
HostConfiguration hostsOfDataFolder(const std::optional<std::string>& dataDir);
