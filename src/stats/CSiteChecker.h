#pragma once

#include "stats/BasicSiteChecker.h"

#include <string>

// The main program's site checker (bulk import of directories): 8-bit text,
// PageRank through the timed request, -1 when a query fails, no pause.
class CSiteChecker : public BasicSiteChecker<std::string> {
public:
    // Queries go to the toolbar query host ("host" or "host:port").
    explicit CSiteChecker(std::string pageRankHost);
};
