#include "custom/SubmissionPageFinder.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/HtmlPage.h"
#include "autofill/SubmissionForm.h"
#include "autofill/SubmissionLinkScorer.h"
#include "custom/ListingWall.h"
#include "filling/IPageRenderer.h"
#include "filling/PageDescription.h"
#include "filling/PageFormsOfModel.h"
#include "net/PrivateAddress.h"
#include "net/WebAddress.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

// A meta refresh of a page is where the page itself sends the reader.
constexpr int kRefreshScore = 1000;
// Pages of the same address that differ only in numbers of their query (the
// categories of one "submit.php?c=N") are fetched this often at most.
constexpr int kFetchesPerShape = 1;

// The site an address belongs to: its host without "www.", and its port.
std::string siteOf(const WebAddress& address)
{
    std::string host = address.host;
    if (host.starts_with("www."))
        host.erase(0, 4);
    return host + ":" + std::to_string(address.port);
}

// An address with the numbers of its query left out: "submit.php?c=#".
std::string shapeOf(const WebAddress& address)
{
    std::string shape = address.path + "?";
    bool inNumber = false;
    for (const char c : address.query) {
        const bool digit = c >= '0' && c <= '9';
        if (digit && !inNumber)
            shape += '#';
        else if (!digit)
            shape += c;
        inNumber = digit;
    }
    return shape;
}

struct Candidate {
    int score = 0;
    int depth = 0;
    std::size_t order = 0;
    WebAddress address;
};

bool comesFirst(const Candidate& a, const Candidate& b)
{
    if (a.score != b.score)
        return a.score > b.score;
    if (a.depth != b.depth)
        return a.depth < b.depth;
    return a.order < b.order;
}

// One search: the pages fetched so far and the links still to follow.
class Search {
public:
    Search(const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer,
        const ListingWallJudge& walls, const DiscoveryLimits& limits, const std::atomic<bool>* cancel)
        : m_recognizer(recognizer)
        , m_scorer(scorer)
        , m_walls(walls)
        , m_limits(limits)
        , m_pageLimits(limits.page)
        , m_cancel(cancel)
    {
    }

    DiscoveredPage run(const std::string& address)
    {
        const std::optional<WebAddress> start = parseWebAddress(address);
        if (!start)
            return unreachable(address + " is not an http or https address");
        // A site on the web may not lead the search into this computer or its
        // network; a directory the user has there may.
        m_pageLimits.privateRedirects = m_pageLimits.privateRedirects || isPrivateNetworkHost(start->host);
        if (search(*start, m_limits.maxFetches))
            return std::move(m_result);
        if (m_result.outcome == DiscoveredPage::Outcome::Unreachable || cancelled() || !m_limits.renderer
            || m_limits.maxRenders <= 0)
            return finish();
        // The fetched pages may be no more than the script that builds them, and
        // a wall may be open to the browser's signed-in session: the same search
        // again, on the pages as the browser engine shows them.
        m_rendering = true;
        m_seen.clear();
        m_shapes.clear();
        m_offered.clear();
        m_candidates.clear();
        m_followed = 0;
        if (search(*start, m_limits.maxRenders))
            return std::move(m_result);
        return finish();
    }

private:
    // Visits the start page, then the links it offers, surest first, until a
    // page holds the form or `loads` pages were read; true when one did.
    bool search(const WebAddress& start, int loads)
    {
        int visited = 1;
        if (visit(start, 0, true))
            return true;
        if (m_result.outcome == DiscoveredPage::Outcome::Unreachable || cancelled())
            return false;
        while (!m_candidates.empty() && visited < loads) {
            if (cancelled())
                return false;
            std::pop_heap(m_candidates.begin(), m_candidates.end(),
                [](const Candidate& a, const Candidate& b) { return comesFirst(b, a); });
            const Candidate next = std::move(m_candidates.back());
            m_candidates.pop_back();
            if (!worthFetching(next.address))
                continue;
            ++visited;
            if (visit(next.address, next.depth, false))
                return true;
        }
        return false;
    }

    bool cancelled() const { return m_cancel && m_cancel->load(); }

    DiscoveredPage unreachable(std::string reason)
    {
        m_result.outcome = DiscoveredPage::Outcome::Unreachable;
        m_result.reason = std::move(reason);
        return std::move(m_result);
    }

    DiscoveredPage finish()
    {
        if (cancelled()) {
            m_result.outcome = DiscoveredPage::Outcome::Cancelled;
            m_result.reason = "cancelled";
        } else if (m_wall.kind == ListingWall::Kind::SignIn) {
            m_result.outcome = DiscoveredPage::Outcome::NeedsAccount;
            m_result.address = m_wallPage;
            m_result.signInUrl = m_wall.signInUrl;
            m_result.reason = "the submission page " + m_wallPage + " asks to sign in at " + m_wall.signInUrl;
        } else if (m_wall.kind == ListingWall::Kind::Paid) {
            m_result.outcome = DiscoveredPage::Outcome::PaidOnly;
            m_result.address = m_wallPage;
            m_result.reason = "the listing is offered only for a price on " + m_wallPage;
        } else if (m_result.outcome != DiscoveredPage::Outcome::Unreachable) {
            m_result.outcome = DiscoveredPage::Outcome::NoForm;
            m_result.reason = noFormReason();
        }
        return std::move(m_result);
    }

    std::string noFormReason() const
    {
        if (m_followed == 0)
            return "no submission form on " + m_result.fetched.front() + " and no link that leads to one";
        std::string reason = "no submission form on " + m_result.fetched.front() + " nor on the "
            + std::to_string(m_followed) + (m_followed == 1 ? " page" : " pages") + " its links lead to";
        if (!m_problems.empty())
            reason += " (" + m_problems.front() + ")";
        return reason;
    }

    bool worthFetching(const WebAddress& address)
    {
        if (m_seen.count(address.url))
            return false;
        return m_shapes[shapeOf(address)] < kFetchesPerShape;
    }

    // A page read by either way, with where it ended up.
    struct ReadPage {
        std::string url;
        HtmlPage page;
        FormDocumentModel model;
    };

    // Fetches and reads one page; nothing when it is no page to search.
    std::optional<ReadPage> fetch(const WebAddress& address, bool first)
    {
        m_result.fetched.push_back(address.url);
        const FetchedPage fetched = fetchPage(address.url, m_pageLimits, m_cancel);
        const std::optional<WebAddress> reached = parseWebAddress(fetched.url);
        if (!fetched.ok || !reached) {
            problem(first, address.url + ": " + fetched.failure);
            return std::nullopt;
        }
        if (!onSite(address, *reached, first))
            return std::nullopt;
        if (!isHtmlAnswer(fetched.contentType, fetched.body)) {
            problem(first,
                reached->url + " is not a web page ("
                    + (fetched.contentType.empty() ? std::string("no content type") : fetched.contentType)
                    + ")");
            return std::nullopt;
        }
        // Reading and recognising a large page take a while: a cancel between the
        // steps ends the search without them.
        if (cancelled())
            return std::nullopt;
        ReadPage read { reached->url, readHtmlPage(fetched.body, m_cancel), {} };
        if (cancelled())
            return std::nullopt;
        if (read.page.tooDeep) {
            problem(first, reached->url + " nests its elements too deeply to be read");
            return std::nullopt;
        }
        read.model = formDocumentOf(read.page);
        return read;
    }

    // Loads one page in the browser engine and reads its description.
    std::optional<ReadPage> render(const WebAddress& address, bool first)
    {
        m_result.rendered.push_back(address.url);
        const RenderedPage rendered = m_limits.renderer->render(address.url, m_cancel);
        const std::optional<WebAddress> reached = parseWebAddress(rendered.url);
        if (!rendered.ok || !reached) {
            // The fetched search's verdict stands on the first page.
            if (!first)
                m_problems.push_back(address.url + ": " + rendered.failure);
            return std::nullopt;
        }
        if (!onSite(address, *reached, first))
            return std::nullopt;
        RenderedPageRead read = readRenderedPage(rendered.description);
        return ReadPage { reached->url, std::move(read.page), std::move(read.model) };
    }

    // Whether the page reached is on the directory's site; a submit link that
    // leads to a sign-in page of another site (an account service) is a wall.
    bool onSite(const WebAddress& address, const WebAddress& reached, bool first)
    {
        m_seen.insert(reached.url);
        if (first) {
            m_site = siteOf(reached);
            return true;
        }
        if (siteOf(reached) == m_site)
            return true;
        if (m_walls.signInAddress(reached.url))
            noteWall({ ListingWall::Kind::SignIn, reached.url }, address.url);
        problem(false, address.url + ": leads to another site, " + reached.url);
        return false;
    }

    void noteWall(ListingWall wall, const std::string& page)
    {
        // A sign-in wall says more than a price list: the form may be behind it.
        if (wall.kind == ListingWall::Kind::None
            || (m_wall.kind != ListingWall::Kind::None
                && !(m_wall.kind == ListingWall::Kind::Paid && wall.kind == ListingWall::Kind::SignIn)))
            return;
        m_wall = std::move(wall);
        m_wallPage = page;
    }

    // Reads one page; true when it holds the form and the search is over.
    bool visit(const WebAddress& address, int depth, bool first)
    {
        m_seen.insert(address.url);
        ++m_shapes[shapeOf(address)];
        if (!first)
            ++m_followed;
        std::optional<ReadPage> read = m_rendering ? render(address, first) : fetch(address, first);
        if (!read || cancelled())
            return false;
        if (first && m_result.title.empty())
            m_result.title = read->page.title;
        const PageRecognition recognition = m_recognizer.recognise(read->page.forms);
        if (findSubmissionForm(read->page.forms, recognition)) {
            m_result.outcome = DiscoveredPage::Outcome::Found;
            m_result.address = read->url;
            m_result.page = std::move(read->model);
            return true;
        }
        // A home page's "Log in" says nothing of submitting; a start page that
        // redirected to a sign-in page does.
        if (!first || read->url != address.url)
            noteWall(m_walls.judge(read->page, read->url), address.url);
        if (const std::optional<WebAddress> reached = parseWebAddress(read->url))
            addCandidates(read->page, *reached, depth + 1);
        return false;
    }

    void problem(bool first, std::string text)
    {
        if (first) {
            m_result.outcome = DiscoveredPage::Outcome::Unreachable;
            m_result.reason = std::move(text);
            return;
        }
        m_problems.push_back(std::move(text));
    }

    void addCandidates(const HtmlPage& page, const WebAddress& at, int depth)
    {
        std::string base = at.url;
        if (!page.baseHref.empty()) {
            if (const std::optional<WebAddress> declared = resolveWebAddress(at.url, page.baseHref))
                base = declared->url;
        }
        if (!page.refresh.empty())
            offer(resolveWebAddress(base, page.refresh), kRefreshScore, depth);
        for (const PageLink& link : page.links) {
            const std::optional<WebAddress> target = resolveWebAddress(base, link.href);
            if (!target || siteOf(*target) != m_site || m_seen.count(target->url))
                continue;
            const std::string path =
                target->query.empty() ? target->path : target->path + "?" + target->query;
            offer(target, m_scorer.score(link, path), depth);
        }
    }

    void offer(const std::optional<WebAddress>& target, int score, int depth)
    {
        if (!target || score <= 0 || siteOf(*target) != m_site)
            return;
        // A link named twice keeps its best weight.
        const auto known = m_offered.find(target->url);
        if (known != m_offered.end() && known->second >= score)
            return;
        m_offered[target->url] = score;
        m_candidates.push_back({ score, depth, m_order++, *target });
        std::push_heap(m_candidates.begin(), m_candidates.end(),
            [](const Candidate& a, const Candidate& b) { return comesFirst(b, a); });
    }

    const FieldRecognizer& m_recognizer;
    const SubmissionLinkScorer& m_scorer;
    const ListingWallJudge& m_walls;
    const DiscoveryLimits& m_limits;
    PageFetchLimits m_pageLimits;
    const std::atomic<bool>* m_cancel;
    DiscoveredPage m_result;
    std::string m_site;
    std::set<std::string> m_seen;
    std::map<std::string, int> m_shapes;
    std::map<std::string, int> m_offered;
    std::vector<Candidate> m_candidates; // a heap, the surest on top
    std::size_t m_order = 0;
    int m_followed = 0;
    std::vector<std::string> m_problems;
    bool m_rendering = false;
    ListingWall m_wall;
    std::string m_wallPage; // the page the submit link led to, where the wall stands
};

} // namespace

SubmissionPageFinder::SubmissionPageFinder(
    const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer, DiscoveryLimits limits)
    : m_recognizer(recognizer)
    , m_scorer(scorer)
    , m_walls(ListingWallJudge::shipped())
    , m_limits(limits)
{
}

DiscoveredPage SubmissionPageFinder::find(const std::string& address, const std::atomic<bool>* cancel) const
{
    return Search(m_recognizer, m_scorer, m_walls, m_limits, cancel).run(address);
}
