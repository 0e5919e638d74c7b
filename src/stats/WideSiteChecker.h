#pragma once

#include "stats/BasicSiteChecker.h"
#include "stats/OpenPageRank.h"

#include <memory>
#include <string>

class HostConfiguration;
class ISleeper;

// The list checker's site checker: 16-bit text, -2 when a query fails. The
// toolbar query (timed request) pauses 3000 ms after each query; Open PageRank
// takes 100 sites a request and pauses only as its limits ask.
class WideSiteChecker : public BasicSiteChecker<std::u16string> {
public:
    // Toolbar queries go to the configured query address; the sleeper makes the
    // pauses and is shared with the worker, which may outlive the checker; null
    // means real pauses.
    WideSiteChecker(std::string pageRankHost, std::shared_ptr<ISleeper> sleeper);
    // The PageRank provider the settings choose. The sleeper makes the toolbar
    // query's pauses, or Open PageRank's waits (which it must honour); problems
    // of Open PageRank go to the listener, on the worker thread.
    WideSiteChecker(const HostConfiguration& hosts, std::shared_ptr<ISleeper> sleeper,
        OpenPageRankClient::ProblemListener problems = {});
};
