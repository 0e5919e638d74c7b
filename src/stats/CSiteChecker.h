#pragma once

#include "stats/BasicSiteChecker.h"
#include "stats/OpenPageRank.h"

#include <string>

class HostConfiguration;

// The main program's site checker (bulk import of directories): 8-bit text,
// -1 when a query fails, no pause. PageRank comes from the toolbar query (one
// site a request, the timed request) or from Open PageRank (100 sites a request).
class CSiteChecker : public BasicSiteChecker<std::string> {
public:
    // Toolbar queries go to the query host ("host" or "host:port").
    explicit CSiteChecker(std::string pageRankHost);
    // The PageRank provider the settings choose; problems of Open PageRank go
    // to the listener, on the worker thread.
    explicit CSiteChecker(const HostConfiguration& hosts, OpenPageRankClient::ProblemListener problems = {});
};
