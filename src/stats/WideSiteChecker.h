#pragma once

#include "stats/BasicSiteChecker.h"

#include <memory>
#include <string>

class ISleeper;

// The list checker's site checker: 16-bit text, PageRank through the timed
// request, -2 when a query fails, and a pause of 3000 ms after each query.
class WideSiteChecker : public BasicSiteChecker<std::u16string> {
public:
    // Queries go to the configured query address; the sleeper makes the pauses
    // and is shared with the worker, which may outlive the checker; null means
    // real pauses.
    WideSiteChecker(std::string pageRankHost, std::shared_ptr<ISleeper> sleeper);
};
