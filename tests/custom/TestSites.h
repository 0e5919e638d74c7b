#pragma once

#include "directories/DirectoryItem.h"

#include <ostream>
#include <string>
#include <vector>

class LoopbackServer;

// The directory sites under tests/custom/sites, each served on a loopback
// server of its own, and what learning each must give.
struct TestSite {
    std::string name; // its folder
    std::string start; // the path the search starts from
    std::string submitPath; // where its submission form is, "" for a site without one
    std::vector<DirectoryItem> items; // the form's items, in the page's order
};

// Every test site: submit links in a menu, a sidebar, a footer, behind an
// image, on a button; a category choice and a category page whose parameter
// must stay; German and French; decoys beside the real link; the form on the
// home page; and a site without a submission page.
const std::vector<TestSite>& testSites();

// Serves the files of a site's folder at their paths ("index.html" at "/" as
// well) and starts the server. Pages are HTML; the query of a request is ignored.
void serveTestSite(LoopbackServer& server, const std::string& name);
