#include "stats/SnapshotReport.h"

#include "common/AtomicFile.h"
#include "common/IMessageBox.h"
#include "common/Utf8Text.h"
#include "stats/CSEOData.h"

#include <cstdio>

namespace {

constexpr const char* kStyleSheet =
    "html, body {margin: 0; padding: 0;\t}\tbody {\t\ttext-align:center;background: #a1acb9;\t}a:link, "
    "a:visited {\ttext-decoration: none !important;color: #0072C2;   }a:hover, a:active {  text-decoration: "
    "none;  background-color: #f6f8fa;color: #FF6E00;  }  .contents {top:0;width:760px;position:relative;"
    "\t  text-align:left;margin:auto;\t  font-family: Tahoma,Arial,Verdana,sans-serif;\t  font-size: "
    "0.9em;color: #3d5066;background: #f4f6f8;  }  .topbg {    background: url(../images/top_bg.png) "
    "repeat-x; height:64px;  }  .maintable {width: 150px;\t  padding-left:10px;background: "
    "url(../images/left.png) "
    "left repeat-y;\t  vertical-align: top;  }  .maintable a {width: 150px;margin: 0;\t  float: auto;"
    "display: block;  }  .centertable {\t  margin-left:auto; margin-right:auto;  }  .justtext {padding: "
    "10px 5px 5px 10px;\t  font-size: 1.1em;\t  vertical-align: top;width:100%;  }  .bottombar "
    "{display:block;"
    "\t  letter-spacing:2px;color: #dedede;\t  font-size: 0.8em;  }  .toptable {\t  font-size: 1.5em;"
    "\t  margin-top: 2px;\t  margin-bottom: 5px;height: 100%;width: 100%;  }  .toptable td {\t  "
    "vertical-align: "
    "middle;\t  text-align: center;  }  .toptable {\t  font-size: 1.5em;\t  margin-top: 2px;\t  "
    "margin-bottom: "
    "5px;height: 100%;width: 100%;  }";

constexpr const char* kGeneralLabels[] = { "Google PR", "Google Homepage PR", "Google Inbound Links",
    "Google Index", "Yahoo Inbound Link", "Yahoo Index" };

constexpr const char* kPositionHeadings[] = { "Google Position", "Yahoo Position" };
constexpr const char* kNotAvailableText = "n/a";
constexpr const char* kNotListedText = "not in the top 1 million";

constexpr const char* kSavedMessage = "Your snapshot was successfully saved.";
constexpr const char* kNotSavedMessage = "Unable to save to the desired file.";

std::string escapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (static_cast<unsigned char>(c) >= 0x80) {
            std::size_t length = 1;
            const char32_t code = decodeUtf8(text, at, length);
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(code));
            out += reference;
            at += length;
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
            break;
        }
        ++at;
    }
    return out;
}

std::string figureText(std::int32_t figure)
{
    return figure == CSEOData::kNotAvailable ? kNotAvailableText : std::to_string(figure);
}

// A PageRank below 0 is a query that got none: unknown rather than a figure.
std::string pageRankText(std::int32_t pageRank)
{
    return pageRank < 0 ? kNotAvailableText : std::to_string(pageRank);
}

std::string trafficText(std::int32_t rank)
{
    return rank == 0 ? kNotListedText : figureText(rank);
}

// The figure's cell, then its source's when the report names sources.
std::string figureCells(const std::string& value, const std::string& source)
{
    std::string cells = value;
    if (!source.empty())
        cells += "</td><td>" + escapeHtml(source);
    return cells;
}

std::string labelOf(const SnapshotFindings& findings, std::size_t index)
{
    return findings.labels[index].empty() ? kGeneralLabels[index] : escapeHtml(findings.labels[index]);
}

std::string positionText(const std::vector<std::int32_t>& positions, std::size_t index)
{
    if (index < positions.size() && positions[index] == CSEOData::kNotAvailable)
        return kNotAvailableText;
    if (index >= positions.size() || positions[index] == -1)
        return "unknown";
    if (positions[index] == 0)
        return "not found";
    return std::to_string(positions[index]);
}

void appendGeneral(std::string& html, const SnapshotFindings& findings)
{
    html += "<div class=\"justtext\">General site stats:</div>";
    html += "<table width=\"70%\" cellspacing=\"10\"><tr><td class=\"maintable\">" + labelOf(findings, 0)
        + "</td><td>";
    html += figureCells(pageRankText(findings.figures[0]), findings.sources[0]);
    for (std::size_t i = 1; i < findings.figures.size(); ++i) {
        html += "</td></tr><tr><td class=\"maintable\">";
        html += labelOf(findings, i);
        html += "</td><td>";
        // The first two figures are the PageRanks of the page and of the home page.
        const std::int32_t figure = findings.figures[i];
        html += figureCells(i < 2 ? pageRankText(figure) : figureText(figure), findings.sources[i]);
    }
    if (findings.trafficRank) {
        html += "</td></tr><tr><td class=\"maintable\">Traffic Rank</td><td>";
        html += figureCells(trafficText(*findings.trafficRank), findings.trafficSource);
    }
    html += "</td></tr></table>";
}

void appendPositions(std::string& html, const SnapshotFindings& findings)
{
    html += "<div class=\"justtext\">Search Engine Position:</div>";
    std::string headings;
    for (std::size_t i = 0; i < findings.positionHeadings.size(); ++i)
        headings += "<th>"
            + (findings.positionHeadings[i].empty() ? std::string(kPositionHeadings[i])
                                                    : escapeHtml(findings.positionHeadings[i]))
            + "</th>";
    html += "<table cellspacing=\"10\"><thead><tr><th class=\"maintable\">Search Phrase</th>" + headings
        + "</tr></thead>";
    for (std::size_t i = 0; i < findings.phrases.size(); ++i) {
        html += "<tr><td class=\"maintable\">" + escapeHtml(findings.phrases[i]) + "</td><td>";
        html += positionText(findings.googlePositions, i) + "</td><td>";
        html += positionText(findings.yahooPositions, i) + "</td></tr>";
    }
    html += "</table>";
}

// The listing page and the link's kind of a directory's last verification;
// empty cells for a directory not verified, or not listed then.
std::string listingCells(
    const std::map<std::string, SendingProfile::ListingRecord>& listings, const std::string& directory)
{
    const auto found = listings.find(directory);
    if (found == listings.end() || found->second.state != SendingProfile::ListingState::Listed)
        return "<td></td><td></td>";
    const SendingProfile::ListingRecord& listing = found->second;
    const std::string page = escapeHtml(listing.page);
    std::string kind = listing.followed() ? "followed" : escapeHtml(listing.rel);
    if (!listing.direct)
        kind += ", through a redirect";
    return "<td><a target=\"_blank\" href=\"" + page + "\">" + page + "</a></td><td>" + kind + "</td>";
}

void appendApprovals(std::string& html, const SnapshotFindings& findings)
{
    html += "<div class=\"justtext\">Directory Submission: submitted to "
        + std::to_string(findings.submittedCount) + " directories. Approval detected in "
        + std::to_string(findings.foundNames.size()) + " directories.</div>";
    html += "<table cellspacing=\"10\"><thead><tr><th class=\"maintable\">Directory</th><th>Approval proof "
            "URL</th><th>Listing page</th><th>Link</th>"
            "</tr></thead>";
    for (std::size_t i = 0; i < findings.foundNames.size(); ++i) {
        const std::string proof =
            escapeHtml(i < findings.proofUrls.size() ? findings.proofUrls[i] : std::string());
        html += "<tr><td class=\"maintable\">" + escapeHtml(findings.foundNames[i]) + "</td><td>";
        html += "<a target=\"_blank\" href=\"" + proof + "\">" + proof + "</a>";
        html += "</td>" + listingCells(findings.listings, findings.foundNames[i]) + "</tr>";
    }
    html += "</table>";
}

} // namespace

std::string buildSnapshotReport(const SnapshotFindings& findings, const std::string& vendorUrl)
{
    const std::string site = escapeHtml(findings.siteUrl);
    const std::string date = escapeHtml(findings.date);
    std::string html = "<html><head><title>Snapshot for " + site + " - " + date + "</title>";
    html += "<link rel=\"stylesheet\" type=\"text/css\" href=\"template/style/style.css\" />";
    html += "<style type=\"text/css\">";
    html += kStyleSheet;
    html += "</style></head><body>";
    html += "<div class=\"contents\">\t\t<div class=\"topbg\">\t\t<table class=\"toptable\"><tr><td>" + site
        + " - Snapshot\t\t</td></tr></table>\t\t</div>";
    html += "<div class=\"justtext\">Snapshot taken on " + date + " for " + site + "</div>";
    if (findings.includeGeneral)
        appendGeneral(html, findings);
    if (findings.includeSerp)
        appendPositions(html, findings);
    if (findings.includeApproval)
        appendApprovals(html, findings);
    html += "</div><div class=\"bottombar\">\t\tCreated with the help of <a href=\"" + escapeHtml(vendorUrl)
        + "\">Vantelo</a>\t\t</div></body></html>";
    return html;
}

bool saveSnapshotReport(const std::filesystem::path& file, const std::string& report, IMessageBox& messages)
{
    if (writeFileAtomically(file, report)) {
        messages.show(kNotSavedMessage, kVanteloCaption, MessageIcon::Error);
        return false;
    }
    messages.show(kSavedMessage, kVanteloCaption, MessageIcon::Information);
    return true;
}
