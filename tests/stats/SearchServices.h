#pragma once

#include "common/HostConfiguration.h"
#include "net/LoopbackServer.h"

#include <string>

// The five search services on loopback servers of their own, and the host
// configuration that points at them.
struct SearchServices {
    SearchServices();

    HostConfiguration hosts() const;

    LoopbackServer pageRank;
    LoopbackServer alexa;
    LoopbackServer google;
    LoopbackServer yahooSiteExplorer;
    LoopbackServer yahoo;
};

// A Google result page: `before` results, then the site's link (when `site` is
// not empty), then one more result.
std::string googleResults(int before, const std::string& site);
// A Yahoo result page of the same shape.
std::string yahooResults(int before, const std::string& siteMarker);
