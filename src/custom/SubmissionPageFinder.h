#pragma once

#include "filling/FormDocumentModel.h"
#include "net/PageFetch.h"

#include <atomic>
#include <string>
#include <vector>

class FieldRecognizer;
class IPageRenderer;
class ListingWallJudge;
class SubmissionLinkScorer;

// How far the search for one directory's submission page may go.
struct DiscoveryLimits {
    int maxFetches = 5; // pages fetched per directory, the first one included
    PageFetchLimits page; // the bounds of each fetch
    // Where fetched pages hold no form, they are loaded in a browser engine
    // (pages built by script) this often at most; none: fetched pages only.
    IPageRenderer* renderer = nullptr;
    int maxRenders = 5;
};

// What the search found.
struct DiscoveredPage {
    enum class Outcome {
        Found, // a page holds a submission form
        NoForm, // the site answered, but no page reached holds one
        NeedsAccount, // the submit link leads to a sign-in or sign-up page, or one that asks for it
        PaidOnly, // the submit link leads to prices and links that buy a listing
        Unreachable, // the address given did not answer with a web page
        Cancelled, // the caller's flag ended the search
    };

    Outcome outcome = Outcome::NoForm;
    // The page holding the form, as it was reached (redirects followed); for a
    // sign-in wall or a price list, the page the submit link led to.
    std::string address;
    std::string signInUrl; // NeedsAccount: where to sign in
    FormDocumentModel page; // that page as the recogniser read it
    std::string title; // the title of the first page
    std::string reason; // when nothing was found: why, for a person to read
    std::vector<std::string> fetched; // the addresses fetched, in order
    std::vector<std::string> rendered; // the addresses loaded in the browser engine, in order
};

// Finds the submission page of a directory from any of its pages, usually the
// home page: a page that holds a submission form (as the recogniser judges it)
// is the one; otherwise its links are weighed by their words and the surest
// ones on the same site are followed, best first, until a page with the form
// turns up or the fetches run out. Redirects of the first page choose the site
// (http to https, a new domain); "www." does not make another site. Addresses
// keep their query, so a category page's "Add URL to this category" leads to
// the form with its category chosen. Where the submit link leads to a sign-in
// wall or a price list, the directory is told apart from one without a form.
// Where no fetched page holds a form, the pages are loaded in the browser
// engine, when there is one, and searched again as it shows them. Safe to use
// from several threads.
class SubmissionPageFinder {
public:
    SubmissionPageFinder(
        const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer, DiscoveryLimits limits = {});

    // Searches from the address; `cancel`, when given, ends the search soon after it is set.
    DiscoveredPage find(const std::string& address, const std::atomic<bool>* cancel = nullptr) const;

private:
    const FieldRecognizer& m_recognizer;
    const SubmissionLinkScorer& m_scorer;
    const ListingWallJudge& m_walls;
    DiscoveryLimits m_limits;
};
