#include "custom/SubmissionPageFinder.h"

#include "autofill/FieldRecognizer.h"
#include "autofill/HtmlPage.h"
#include "autofill/SubmissionForm.h"
#include "autofill/SubmissionLinkScorer.h"
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
        const DiscoveryLimits& limits, const std::atomic<bool>* cancel)
        : m_recognizer(recognizer)
        , m_scorer(scorer)
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
        if (visit(*start, 0, true))
            return std::move(m_result);
        if (m_result.outcome == DiscoveredPage::Outcome::Unreachable || cancelled())
            return finish();
        while (!m_candidates.empty() && static_cast<int>(m_result.fetched.size()) < m_limits.maxFetches) {
            if (cancelled())
                return finish();
            std::pop_heap(m_candidates.begin(), m_candidates.end(),
                [](const Candidate& a, const Candidate& b) { return comesFirst(b, a); });
            const Candidate next = std::move(m_candidates.back());
            m_candidates.pop_back();
            if (!worthFetching(next.address))
                continue;
            if (visit(next.address, next.depth, false))
                return std::move(m_result);
        }
        return finish();
    }

private:
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

    // Fetches one page; true when it holds the form and the search is over.
    bool visit(const WebAddress& address, int depth, bool first)
    {
        m_seen.insert(address.url);
        ++m_shapes[shapeOf(address)];
        m_result.fetched.push_back(address.url);
        if (!first)
            ++m_followed;
        const FetchedPage fetched = fetchPage(address.url, m_pageLimits, m_cancel);
        const std::optional<WebAddress> reached = parseWebAddress(fetched.url);
        if (!fetched.ok || !reached) {
            problem(first, address.url + ": " + fetched.failure);
            return false;
        }
        m_seen.insert(reached->url);
        if (first) {
            m_site = siteOf(*reached);
        } else if (siteOf(*reached) != m_site) {
            problem(false, address.url + ": leads to another site, " + reached->url);
            return false;
        }
        if (!isHtmlAnswer(fetched.contentType, fetched.body)) {
            problem(first,
                reached->url + " is not a web page ("
                    + (fetched.contentType.empty() ? std::string("no content type") : fetched.contentType)
                    + ")");
            return false;
        }
        // Reading and recognising a large page take a while: a cancel between the
        // steps ends the search without them.
        if (cancelled())
            return false;
        const HtmlPage page = readHtmlPage(fetched.body, m_cancel);
        if (cancelled())
            return false;
        if (first)
            m_result.title = page.title;
        if (page.tooDeep) {
            problem(first, reached->url + " nests its elements too deeply to be read");
            return false;
        }
        FormDocumentModel model = formDocumentOf(page);
        const PageRecognition recognition = m_recognizer.recognise(page.forms);
        if (findSubmissionForm(page.forms, recognition)) {
            m_result.outcome = DiscoveredPage::Outcome::Found;
            m_result.address = reached->url;
            m_result.page = std::move(model);
            return true;
        }
        addCandidates(page, *reached, depth + 1);
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
};

} // namespace

SubmissionPageFinder::SubmissionPageFinder(
    const FieldRecognizer& recognizer, const SubmissionLinkScorer& scorer, DiscoveryLimits limits)
    : m_recognizer(recognizer)
    , m_scorer(scorer)
    , m_limits(limits)
{
}

DiscoveredPage SubmissionPageFinder::find(const std::string& address, const std::atomic<bool>* cancel) const
{
    return Search(m_recognizer, m_scorer, m_limits, cancel).run(address);
}
