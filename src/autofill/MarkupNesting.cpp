#include "autofill/MarkupNesting.h"

#include "common/TextCase.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Elements without content, the implied ones, and those that the next of their
// kind (or a block) closes: none adds a level that lasts.
constexpr std::string_view kNeverOpen[] = { "area", "base", "basefont", "bgsound", "br", "col", "embed",
    "frame", "hr", "image", "img", "input", "keygen", "link", "meta", "param", "source", "track", "wbr", "p",
    "li", "dd", "dt", "option", "optgroup", "colgroup", "rb", "rp", "rt", "rtc", "html", "head", "body" };
// Elements whose content the parser reads as text up to their own end tag.
constexpr std::string_view kRawText[] = { "script", "style", "textarea", "title", "xmp", "iframe", "noembed",
    "noframes" };
// The parser's special elements (as many as any version names): an end tag of
// another element does not reach past them.
constexpr std::string_view kSpecial[] = { "address", "applet", "article", "aside", "blockquote", "button",
    "caption", "center", "details", "dialog", "dir", "div", "dl", "fieldset", "figcaption", "figure",
    "footer", "form", "frameset", "h1", "h2", "h3", "h4", "h5", "h6", "header", "hgroup", "isindex",
    "listing", "main", "marquee", "menu", "menuitem", "nav", "noscript", "object", "ol", "plaintext", "pre",
    "search", "section", "select", "summary", "table", "tbody", "td", "template", "tfoot", "th", "thead",
    "tr", "ul" };
// Where an element of the default scope ends: an end tag looks no further down.
constexpr std::string_view kScopeBoundaries[] = { "applet", "caption", "marquee", "object", "table", "td",
    "th", "template" };
// End tags that close their element whenever it is in scope, whatever is open above it.
constexpr std::string_view kScopedEnds[] = { "address", "applet", "article", "aside", "blockquote", "button",
    "center", "details", "dir", "div", "dl", "fieldset", "figcaption", "figure", "footer", "h1", "h2", "h3",
    "h4", "h5", "h6", "header", "hgroup", "listing", "marquee", "menu", "nav", "object", "ol", "pre",
    "section", "select", "summary", "ul" };
// The parts of a table, which close their own kind within the table.
constexpr std::string_view kTableParts[] = { "caption", "tbody", "td", "tfoot", "th", "thead", "tr" };
// Formatting elements: closed without their own end tag, the parser opens them again.
constexpr std::string_view kFormatting[] = { "a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small",
    "strike", "strong", "tt", "u" };
// Elements that forget the formatting opened inside them when they close.
constexpr std::string_view kMarkers[] = { "applet", "caption", "marquee", "object", "td", "th", "template" };
// Elements of SVG and MathML inside which HTML is read again.
constexpr std::string_view kIntegrationPoints[] = { "foreignobject", "desc", "title", "mi", "mo", "mn", "ms",
    "mtext", "annotation-xml" };
// HTML elements that end SVG and MathML content when they start inside it.
constexpr std::string_view kBreakouts[] = { "b", "big", "blockquote", "body", "br", "center", "code", "dd",
    "div", "dl", "dt", "em", "embed", "h1", "h2", "h3", "h4", "h5", "h6", "head", "hr", "i", "img", "li",
    "listing", "menu", "meta", "nobr", "ol", "p", "pre", "ruby", "s", "small", "span", "strong", "strike",
    "sub", "sup", "table", "tt", "u", "ul", "var" };

// What the lists above say of an element, one bit per list.
enum Kind : unsigned {
    NeverOpen = 1U << 0,
    RawText = 1U << 1,
    Special = 1U << 2,
    ScopeBoundary = 1U << 3,
    ScopedEnd = 1U << 4,
    TablePart = 1U << 5,
    Formatting = 1U << 6,
    Marker = 1U << 7,
    IntegrationPoint = 1U << 8,
    Breakout = 1U << 9,
};

template <std::size_t N>
void mark(
    std::unordered_map<std::string_view, unsigned>& kinds, const std::string_view (&names)[N], Kind kind)
{
    for (const std::string_view name : names)
        kinds[name] |= kind;
}

unsigned kindsOf(std::string_view name)
{
    static const std::unordered_map<std::string_view, unsigned> kinds = [] {
        std::unordered_map<std::string_view, unsigned> table;
        mark(table, kNeverOpen, NeverOpen);
        mark(table, kRawText, RawText);
        mark(table, kSpecial, Special);
        mark(table, kScopeBoundaries, ScopeBoundary);
        mark(table, kScopedEnds, ScopedEnd);
        mark(table, kTableParts, TablePart);
        mark(table, kFormatting, Formatting);
        mark(table, kMarkers, Marker);
        mark(table, kIntegrationPoints, IntegrationPoint);
        mark(table, kBreakouts, Breakout);
        return table;
    }();
    const auto found = kinds.find(name);
    return found == kinds.end() ? 0 : found->second;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The elements the parser holds open, as far as the markup tells.
class OpenElements {
public:
    std::size_t depth() const { return m_open.size() + m_detached; }

    // Whether SVG or MathML is being read: its tags then open elements of their own.
    bool foreign() const { return top(m_foreignRoots) > top(m_specials); }

    void startTag(const std::string& name, bool selfClosing)
    {
        const unsigned kinds = kindsOf(name);
        if (foreign() && !(kinds & Breakout)) {
            if (!selfClosing) {
                const bool integration = kinds & IntegrationPoint;
                open(name, integration ? Special | ScopeBoundary : 0);
            }
            return;
        }
        if (kinds & NeverOpen)
            return;
        if (kinds & TablePart) {
            // Outside a table the parser drops them; inside, each closes the last of its kind.
            if (!inTable())
                return;
            closeInTable(keyOf(name));
        }
        open(name, kinds);
    }

    void endTag(const std::string& name)
    {
        const unsigned kinds = kindsOf(name);
        const std::string key = keyOf(name);
        if (name == "table") {
            if (inTable())
                closeThrough(key);
        } else if (kinds & TablePart) {
            closeInTable(key);
        } else if (kinds & ScopedEnd) {
            if (reachable(key, top(m_boundaries)))
                closeThrough(key);
        } else if (name == "form") {
            // It takes the form alone off the open elements, leaving those opened
            // inside it open; as it is rare, the level it leaves is left counted.
        } else if (reachable(key, top(m_specials))) {
            closeThrough(key);
        } else if ((kinds & Formatting) && !m_at.contains(key)) {
            // A formatting element closed earlier is forgotten at its own end tag.
            auto& count = m_frames.back()[key];
            if (count > 0) {
                --count;
                --m_detached;
            }
        }
    }

private:
    struct Entry {
        std::string name;
        unsigned kinds;
    };

    // Positions in m_open count from 1, so that 0 stands for none.
    static std::size_t top(const std::vector<std::size_t>& positions)
    {
        return positions.empty() ? 0 : positions.back();
    }

    // One name for the kinds the parser treats as one: any heading ends any
    // heading, th is a cell as td is, and the three row groups close each other.
    static std::string keyOf(const std::string& name)
    {
        if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
            return "h1";
        if (name == "th")
            return "td";
        if (name == "thead" || name == "tfoot")
            return "tbody";
        return name;
    }

    bool inTable() const { return top(m_tables) > top(m_templates); }

    bool reachable(const std::string& key, std::size_t limit) const
    {
        const auto found = m_at.find(key);
        return found != m_at.end() && found->second.back() >= limit;
    }

    void closeInTable(const std::string& key)
    {
        if (reachable(key, std::max(top(m_tables), top(m_templates))))
            closeThrough(key);
    }

    void open(const std::string& name, unsigned kinds)
    {
        m_open.push_back({ name, kinds });
        const std::size_t position = m_open.size();
        m_at[keyOf(name)].push_back(position);
        for (auto& [list, applies] : positionLists(name, kinds)) {
            if (applies)
                list->push_back(position);
        }
        if (kinds & Marker)
            m_frames.emplace_back();
    }

    // The lists of positions an element belongs to.
    std::array<std::pair<std::vector<std::size_t>*, bool>, 5> positionLists(
        const std::string& name, unsigned kinds)
    {
        return { { { &m_specials, (kinds & Special) != 0 }, { &m_boundaries, (kinds & ScopeBoundary) != 0 },
            { &m_tables, name == "table" }, { &m_templates, name == "template" },
            { &m_foreignRoots, name == "svg" || name == "math" } } };
    }

    // Closes the last open element of the kind and everything opened after it.
    void closeThrough(const std::string& key)
    {
        const std::size_t position = m_at.at(key).back();
        while (m_open.size() >= position)
            closeLast(m_open.size() > position);
    }

    void closeLast(bool implied)
    {
        const Entry entry = std::move(m_open.back());
        m_open.pop_back();
        const std::string key = keyOf(entry.name);
        auto& positions = m_at[key];
        positions.pop_back();
        if (positions.empty())
            m_at.erase(key);
        for (auto& [list, applies] : positionLists(entry.name, entry.kinds)) {
            if (applies)
                list->pop_back();
        }
        if (entry.kinds & Marker) {
            for (const auto& [kind, count] : m_frames.back())
                m_detached -= count;
            m_frames.pop_back();
        } else if (implied && (entry.kinds & Formatting)) {
            ++m_frames.back()[entry.name];
            ++m_detached;
        }
    }

    std::vector<Entry> m_open;
    std::unordered_map<std::string, std::vector<std::size_t>> m_at; // where each kind is open
    std::vector<std::size_t> m_specials;
    std::vector<std::size_t> m_boundaries;
    std::vector<std::size_t> m_tables;
    std::vector<std::size_t> m_templates;
    std::vector<std::size_t> m_foreignRoots;
    // The formatting elements closed without their end tag, per open marker
    // element (the first for the document): the parser opens them again.
    std::vector<std::unordered_map<std::string, std::size_t>> m_frames { 1 };
    std::size_t m_detached = 0;
};

// Reads the markup one tag at a time.
class TagReader {
public:
    explicit TagReader(std::string_view html)
        : m_html(html)
    {
    }

    MarkupNesting read(std::size_t maxDepth)
    {
        MarkupNesting nesting;
        while ((m_at = m_html.find('<', m_at)) != std::string_view::npos) {
            const std::size_t tag = m_at;
            if (!readTag())
                continue;
            nesting.work += m_open.depth();
            nesting.deepest = std::max(nesting.deepest, m_open.depth());
            if (nesting.deepest > maxDepth || m_at == std::string_view::npos)
                break;
            // Past the text of a raw text element, up to its end tag.
            if (m_rawText) {
                m_at = rawTextEnd(m_html.substr(tag + 1, m_nameLength));
                if (m_at == std::string_view::npos)
                    break;
            }
        }
        return nesting;
    }

private:
    // Reads the markup at '<'; true when it was a tag.
    bool readTag()
    {
        m_rawText = false;
        const std::size_t at = m_at;
        if (m_html.compare(at, 4, "<!--") == 0) {
            m_at = commentEnd(at + 2);
            return false;
        }
        const bool closing = m_html.compare(at, 2, "</") == 0;
        const std::size_t nameStart = at + (closing ? 2 : 1);
        if (nameStart >= m_html.size() || !isLetter(m_html[nameStart])) {
            const bool declaration = !closing && nameStart < m_html.size()
                && (m_html[nameStart] == '!' || m_html[nameStart] == '?');
            // "<!...>", "<?...>" and "</...>" without a name are comments to the next '>'.
            if (declaration || closing)
                m_at = after(m_html.find('>', nameStart));
            else
                m_at = nameStart;
            return false;
        }
        std::size_t nameEnd = nameStart;
        while (nameEnd < m_html.size() && !isBlank(m_html[nameEnd]) && m_html[nameEnd] != '/'
            && m_html[nameEnd] != '>')
            ++nameEnd;
        m_nameLength = nameEnd - nameStart;
        const std::string name = lowerAscii(m_html.substr(nameStart, m_nameLength));
        bool selfClosing = false;
        m_at = attributesEnd(nameEnd, selfClosing);
        // A tag the markup leaves unfinished is no tag.
        if (m_at == std::string_view::npos)
            return false;
        if (closing) {
            m_open.endTag(name);
            return true;
        }
        const bool foreign = m_open.foreign();
        m_open.startTag(name, selfClosing);
        if (!foreign && name == "plaintext")
            m_at = std::string_view::npos;
        m_rawText = !foreign && (kindsOf(name) & RawText);
        return true;
    }

    static std::size_t after(std::size_t at) { return at == std::string_view::npos ? at : at + 1; }

    // Past "-->" or "--!>"; "<!-->" and "<!--->" end where they stand.
    std::size_t commentEnd(std::size_t from) const
    {
        for (std::size_t at = m_html.find("--", from); at != std::string_view::npos;
             at = m_html.find("--", at + 1)) {
            if (m_html.compare(at + 2, 1, ">") == 0)
                return at + 3;
            if (m_html.compare(at + 2, 2, "!>") == 0)
                return at + 4;
        }
        return std::string_view::npos;
    }

    // Past the '>' that ends a tag's attributes; a quoted value may hold '>' and '<'.
    std::size_t attributesEnd(std::size_t at, bool& selfClosing) const
    {
        const auto ends = [this](std::size_t i, std::string_view stops) {
            while (
                i < m_html.size() && !isBlank(m_html[i]) && stops.find(m_html[i]) == std::string_view::npos)
                ++i;
            return i;
        };
        while (at < m_html.size()) {
            const char c = m_html[at];
            if (c == '>')
                return at + 1;
            if (c == '/') {
                selfClosing = m_html.compare(at + 1, 1, ">") == 0;
                ++at;
                continue;
            }
            if (isBlank(c)) {
                ++at;
                continue;
            }
            at = ends(at + 1, "/>=");
            while (at < m_html.size() && isBlank(m_html[at]))
                ++at;
            if (at >= m_html.size() || m_html[at] != '=')
                continue;
            ++at;
            while (at < m_html.size() && isBlank(m_html[at]))
                ++at;
            if (at < m_html.size() && (m_html[at] == '"' || m_html[at] == '\'')) {
                at = after(m_html.find(m_html[at], at + 1));
                if (at == std::string_view::npos)
                    return at;
            } else {
                at = ends(at, ">");
            }
        }
        return std::string_view::npos;
    }

    // Where the end tag of a raw text element begins, found in place without regard to case.
    std::size_t rawTextEnd(std::string_view name) const
    {
        for (std::size_t at = m_html.find("</", m_at); at != std::string_view::npos;
             at = m_html.find("</", at + 2)) {
            const std::string_view rest = m_html.substr(at + 2);
            if (startsWithNoCase(rest, name)
                && (rest.size() == name.size() || isBlank(rest[name.size()]) || rest[name.size()] == '/'
                    || rest[name.size()] == '>'))
                return at;
        }
        return std::string_view::npos;
    }

    const std::string_view m_html;
    std::size_t m_at = 0;
    std::size_t m_nameLength = 0;
    bool m_rawText = false;
    OpenElements m_open;
};

} // namespace

MarkupNesting markupNesting(std::string_view html, std::size_t maxDepth)
{
    return TagReader(html).read(maxDepth);
}
