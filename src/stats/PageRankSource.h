#pragma once

#include "common/HostConfiguration.h"
#include "stats/OpenPageRank.h"

#include <memory>
#include <string>
#include <vector>

class ISleeper;

// The PageRank provider the settings choose, for whoever asks: which one it
// is, its name as the user reads it, and an Open PageRank client when that is
// the provider.

// Whether PageRank comes from Open PageRank rather than the toolbar query.
bool usesOpenPageRank(const HostConfiguration& hosts);
// "Open PageRank (https://openpagerank.com)" or "toolbar query (host)".
std::string pageRankSourceName(const HostConfiguration& hosts);
// A client of the configured Open PageRank service, or null when the toolbar
// query is the provider. The sleeper makes its waits (real ones when null).
std::shared_ptr<OpenPageRankClient> openPageRankClientFor(
    const HostConfiguration& hosts, std::shared_ptr<ISleeper> sleeper);

// The domain of each URL (see siteDomain).
std::vector<std::string> siteDomains(const std::vector<std::string>& urls);
std::vector<std::string> siteDomains(const std::vector<std::u16string>& urls);
