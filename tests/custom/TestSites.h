#pragma once

#include "directories/DirectoryItem.h"

#include <ostream>
#include <string>
#include <vector>

class LoopbackServer;

// The directory sites under tests/custom/sites, each served on a loopback
// server of its own, and what learning each must give.
struct TestSite {
    TestSite(std::string siteName, std::string startPath, std::string submit,
        std::vector<DirectoryItem> formItems, std::string siteState = "learned", std::string signIn = {},
        bool byScript = false)
        : name(std::move(siteName))
        , start(std::move(startPath))
        , submitPath(std::move(submit))
        , items(std::move(formItems))
        , state(std::move(siteState))
        , signInPath(std::move(signIn))
        , rendered(byScript)
    {
    }

    std::string name; // its folder
    std::string start; // the path the search starts from
    std::string submitPath; // where its submission form is, "" for a site without one
    std::vector<DirectoryItem> items; // the form's items, in the page's order
    std::string state; // what learning says of it, as "learn --json" names it
    std::string signInPath; // where a site that needs an account is signed in to
    bool rendered; // its links and form are built by script
};

// Every test site: submit links in a menu, a sidebar, a footer, behind an
// image, on a button; a category choice and a category page whose parameter
// must stay; German and French; decoys beside the real link; the form on the
// home page; a site without a submission page; forms whose fields have ids
// only, or ids a script made up; submit links that end at a sign-in page, by
// redirect or by link, and at a price list; and a single-page app.
const std::vector<TestSite>& testSites();

// Serves the files of a site's folder at their paths ("index.html" at "/" as
// well; "X.redirect" redirects X to the address it holds) and starts the
// server. Pages are HTML; the query of a request is ignored.
void serveTestSite(LoopbackServer& server, const std::string& name);
