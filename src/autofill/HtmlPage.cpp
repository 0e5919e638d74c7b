#include "autofill/HtmlPage.h"

#include "autofill/FieldCueBuilder.h"
#include "autofill/MarkupNesting.h"
#include "common/TextCase.h"
#include "common/Utf8Text.h"
#include "common/Windows1252.h"

#include <gumbo.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

// The walks that find the texts around a field follow the browser script that
// describes live pages (src/filling/web/describe-page.js), and the cues are
// built from them as the browser's are (FieldCueBuilder), so that the
// recogniser reads a fetched page as it reads the same page in the browser.

namespace {

// Bounds, as the browser script has them.
constexpr std::size_t kMaxElements = 20000;
constexpr std::size_t kMaxDescribedFields = 3000;
constexpr std::size_t kMaxOptions = 10000;
constexpr std::size_t kOptionTextLimit = 4096;
constexpr int kWalkBudget = 300;
constexpr std::size_t kMaxLabelledBy = 10;
constexpr std::size_t kMaxSubmitTexts = 5;
// A field this far beyond the page's top or left edge is placed there to be unseen.
constexpr long kOffScreen = -500;
// Links beyond these many are not read: no page needs more to offer its submit link.
constexpr std::size_t kMaxLinks = 5000;
// Deeper nesting than this is no real page; the parser's time grows with the
// depth at every tag and its clean-up recurses once per level.
constexpr std::size_t kMaxDepth = 2000;
// The open elements summed over the tags: a large real page comes to a few
// million, a hundred thousand tags two thousand deep to this, which the parser
// reads in a tenth of a second.
constexpr std::uint64_t kMaxNestingWork = 200'000'000;

using Node = const GumboNode;

bool isElement(Node* node)
{
    return node && (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE);
}

bool isText(Node* node)
{
    return node
        && (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE
            || node->type == GUMBO_NODE_CDATA);
}

GumboTag tagOf(Node* node)
{
    return isElement(node) ? node->v.element.tag : GUMBO_TAG_UNKNOWN;
}

const GumboVector* childrenOf(Node* node)
{
    if (isElement(node))
        return &node->v.element.children;
    if (node && node->type == GUMBO_NODE_DOCUMENT)
        return &node->v.document.children;
    return nullptr;
}

Node* child(Node* node, std::size_t at)
{
    const GumboVector* children = childrenOf(node);
    return children && at < children->length ? static_cast<Node*>(children->data[at]) : nullptr;
}

std::size_t childCount(Node* node)
{
    const GumboVector* children = childrenOf(node);
    return children ? children->length : 0;
}

Node* previousSibling(Node* node)
{
    return node->parent && node->index_within_parent > 0 ? child(node->parent, node->index_within_parent - 1)
                                                         : nullptr;
}

Node* nextSibling(Node* node)
{
    return node->parent ? child(node->parent, node->index_within_parent + 1) : nullptr;
}

const char* attribute(Node* node, const char* name)
{
    if (!isElement(node))
        return nullptr;
    const GumboAttribute* found = gumbo_get_attribute(&node->v.element.attributes, name);
    return found ? found->value : nullptr;
}

std::string attributeText(Node* node, const char* name)
{
    const char* value = attribute(node, name);
    return value ? std::string(value) : std::string();
}

bool hasAttribute(Node* node, const char* name)
{
    return attribute(node, name) != nullptr;
}

std::string tagName(Node* node)
{
    const GumboTag tag = tagOf(node);
    if (tag != GUMBO_TAG_UNKNOWN)
        return gumbo_normalized_tagname(tag);
    GumboStringPiece original = node->v.element.original_tag;
    gumbo_tag_from_original_text(&original);
    return lowerAscii(std::string_view(original.data, original.length));
}

// The tags whose content a person does not read as the text around a field.
bool isSkippedTag(GumboTag tag)
{
    switch (tag) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_SELECT:
    case GUMBO_TAG_OPTION:
    case GUMBO_TAG_TEXTAREA:
    case GUMBO_TAG_BUTTON:
    case GUMBO_TAG_INPUT:
        return true;
    default:
        return false;
    }
}

bool isSkippedElement(Node* node)
{
    return isElement(node) && (node->type == GUMBO_NODE_TEMPLATE || isSkippedTag(tagOf(node)));
}

bool isFieldTag(GumboTag tag)
{
    return tag == GUMBO_TAG_INPUT || tag == GUMBO_TAG_TEXTAREA || tag == GUMBO_TAG_SELECT;
}

std::string inputType(Node* node)
{
    return lowerAscii(attributeText(node, "type"));
}

bool isBox(Node* node)
{
    if (tagOf(node) != GUMBO_TAG_INPUT)
        return false;
    const std::string type = inputType(node);
    return type == "checkbox" || type == "radio";
}

bool isWordCharacter(char32_t code)
{
    if (code < 0x80)
        return (code >= '0' && code <= '9') || (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
    return code >= 0xC0 && code != 0xD7 && code != 0xF7 && !(code >= 0x2000 && code <= 0x2BFF)
        && !(code >= 0x3000 && code <= 0x303F) && code != kReplacementCharacter && !isPageBlank(code);
}

// Two letters or digits in a row: a text that says something.
bool hasWords(std::string_view text)
{
    int run = 0;
    bool found = false;
    forEachUtf8Character(text, [&](const Utf8Character& character) {
        run = isWordCharacter(character.code) ? run + 1 : 0;
        found = found || run >= 2;
    });
    return found;
}

std::string_view textOf(Node* node)
{
    return node->v.text.text ? std::string_view(node->v.text.text) : std::string_view();
}

// The text of a node as a person reads it, without what fields and scripts inside it hold.
std::string readableText(Node* root)
{
    std::string text;
    int budget = kWalkBudget;
    std::vector<Node*> pending { root };
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        if (--budget < 0 || text.size() > 2 * kCueTextLimit)
            break;
        if (isText(node)) {
            text += textOf(node);
            continue;
        }
        if (node != root && isSkippedElement(node))
            continue;
        for (std::size_t at = childCount(node); at > 0; --at)
            pending.push_back(child(node, at - 1));
    }
    return cueText(text);
}

bool insideSkipped(Node* node, Node* boundary)
{
    for (Node* parent = node->parent; parent && parent != boundary; parent = parent->parent) {
        if (isSkippedElement(parent))
            return true;
    }
    return false;
}

Node* previousNode(Node* node, Node* boundary)
{
    if (Node* before = previousSibling(node)) {
        node = before;
        while (childCount(node) > 0 && !isSkippedElement(node))
            node = child(node, childCount(node) - 1);
        return node;
    }
    return node->parent && node->parent != boundary ? node->parent : nullptr;
}

Node* nextNode(Node* node, Node* boundary, bool enter)
{
    if (enter && childCount(node) > 0 && !isSkippedElement(node))
        return child(node, 0);
    for (; node && node != boundary; node = node->parent) {
        if (Node* after = nextSibling(node))
            return after;
    }
    return nullptr;
}

bool stopsCaption(Node* node)
{
    if (!isElement(node))
        return false;
    const GumboTag tag = tagOf(node);
    return (isFieldTag(tag) && inputType(node) != "hidden") || tag == GUMBO_TAG_TD || tag == GUMBO_TAG_TH;
}

// The nearest text before (or after) a field, up to another field or the boundary.
std::string nearbyText(Node* element, Node* boundary, bool forward)
{
    std::string text;
    Node* node = element;
    for (int budget = kWalkBudget; budget > 0; --budget) {
        node = forward ? nextNode(node, boundary, node != element) : previousNode(node, boundary);
        if (!node || stopsCaption(node))
            break;
        if (!isText(node) || insideSkipped(node, boundary))
            continue;
        text = forward ? text + " " + std::string(textOf(node)) : std::string(textOf(node)) + " " + text;
        if (hasWords(text))
            break;
    }
    return cueText(text);
}

Node* closest(Node* node, GumboTag first, GumboTag second)
{
    for (; node; node = node->parent) {
        const GumboTag tag = tagOf(node);
        if (tag == first || tag == second)
            return node;
    }
    return nullptr;
}

bool holdsVisibleField(Node* root)
{
    std::vector<Node*> pending { root };
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        const GumboTag tag = tagOf(node);
        if (isFieldTag(tag) && !(tag == GUMBO_TAG_INPUT && inputType(node) == "hidden"))
            return true;
        for (std::size_t at = 0; at < childCount(node); ++at)
            pending.push_back(child(node, at));
    }
    return false;
}

// A declaration of an inline style, its property and value in lower case.
std::string styleValue(const std::string& style, std::string_view property)
{
    std::size_t at = 0;
    while (at < style.size()) {
        const std::size_t end = std::min(style.find(';', at), style.size());
        const std::string_view declaration(style.data() + at, end - at);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos) {
            std::string name(declaration.substr(0, colon));
            name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
            if (name == property) {
                std::string value(declaration.substr(colon + 1));
                value.erase(std::remove(value.begin(), value.end(), ' '), value.end());
                const std::size_t important = value.find("!important");
                return important == std::string::npos ? value : value.substr(0, important);
            }
        }
        at = end + 1;
    }
    return {};
}

// A length that puts an element off the page ("-9999px").
bool offScreen(const std::string& value)
{
    if (value.empty() || value[0] != '-')
        return false;
    return std::strtol(value.c_str(), nullptr, 10) <= kOffScreen;
}

bool zeroLength(const std::string& value)
{
    return value == "0" || value == "0px";
}

// Whether a declaration block hides what it applies to.
bool declarationsHide(const std::string& declarations, bool self)
{
    if (styleValue(declarations, "display") == "none")
        return true;
    const std::string visibility = styleValue(declarations, "visibility");
    if (visibility == "hidden" || visibility == "collapse")
        return true;
    if (styleValue(declarations, "opacity") == "0")
        return true;
    if (offScreen(styleValue(declarations, "left")) || offScreen(styleValue(declarations, "top")))
        return true;
    return self
        && (zeroLength(styleValue(declarations, "width")) || zeroLength(styleValue(declarations, "height")));
}

std::vector<std::string> classesOf(Node* node)
{
    std::vector<std::string> classes;
    const std::string text = attributeText(node, "class");
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t\r\n\f", at)) != std::string::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t\r\n\f", at), text.size());
        classes.push_back(text.substr(at, end - at));
        at = end;
    }
    return classes;
}

// The rules of the page's style sheets that hide what they select, as far as a
// selector of one element names it: "div.hp", ".gone", "#trap". Rules that
// combine elements are passed over rather than guessed at; style sheets of
// other files are not read.
class HidingRules {
public:
    void read(std::string_view css)
    {
        std::string text = withoutComments(css);
        std::size_t at = 0;
        while (at < text.size() && m_rules.size() < kMaxRules) {
            const std::size_t open = text.find('{', at);
            if (open == std::string::npos)
                return;
            const std::string selectors = text.substr(at, open - at);
            const std::size_t close = text.find('}', open);
            if (close == std::string::npos)
                return;
            // An at-rule's block holds rules of its own; its first "}" ends one of them.
            if (selectors.find('@') != std::string::npos) {
                at = open + 1;
                continue;
            }
            const std::string declarations = lowerAscii(text.substr(open + 1, close - open - 1));
            if (declarationsHide(declarations, false))
                addSelectors(selectors);
            at = close + 1;
        }
    }

    bool hides(Node* node) const
    {
        if (m_rules.empty())
            return false;
        const std::string tag = tagName(node);
        const std::string id = attributeText(node, "id");
        const std::vector<std::string> classes = classesOf(node);
        const auto matches = [&](const std::string& anchor) {
            const auto [first, last] = m_rules.equal_range(anchor);
            return std::any_of(first, last, [&](const auto& entry) {
                const Rule& rule = entry.second;
                if ((!rule.tag.empty() && rule.tag != tag) || (!rule.id.empty() && rule.id != id))
                    return false;
                return std::all_of(rule.classes.begin(), rule.classes.end(), [&](const std::string& name) {
                    return std::find(classes.begin(), classes.end(), name) != classes.end();
                });
            });
        };
        if (matches(" " + tag) || (!id.empty() && matches("#" + id)))
            return true;
        return std::any_of(
            classes.begin(), classes.end(), [&](const std::string& name) { return matches("." + name); });
    }

private:
    struct Rule {
        std::string tag;
        std::string id;
        std::vector<std::string> classes;
    };
    static constexpr std::size_t kMaxRules = 2000;

    static std::string withoutComments(std::string_view css)
    {
        std::string text;
        std::size_t at = 0;
        while (at < css.size()) {
            const std::size_t open = css.find("/*", at);
            text.append(css.substr(at, open - at));
            if (open == std::string_view::npos)
                break;
            const std::size_t close = css.find("*/", open + 2);
            at = close == std::string_view::npos ? css.size() : close + 2;
        }
        return text;
    }

    void addSelectors(const std::string& selectors)
    {
        std::size_t at = 0;
        while (at <= selectors.size()) {
            const std::size_t end = std::min(selectors.find(',', at), selectors.size());
            addSelector(selectors.substr(at, end - at));
            at = end + 1;
        }
    }

    void addSelector(std::string selector)
    {
        const std::size_t first = selector.find_first_not_of(" \t\r\n\f");
        if (first == std::string::npos)
            return;
        selector = selector.substr(first, selector.find_last_not_of(" \t\r\n\f") - first + 1);
        const auto simple = [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                || c == '_' || c == '.' || c == '#';
        };
        if (!std::all_of(selector.begin(), selector.end(), simple))
            return;
        Rule rule;
        std::size_t at = 0;
        while (at < selector.size()) {
            const char kind = selector[at] == '.' || selector[at] == '#' ? selector[at] : ' ';
            const std::size_t start = kind == ' ' ? at : at + 1;
            const std::size_t end = std::min(selector.find_first_of(".#", start), selector.size());
            const std::string name = selector.substr(start, end - start);
            if (name.empty())
                return;
            if (kind == '.')
                rule.classes.push_back(name);
            else if (kind == '#')
                rule.id = name;
            else
                rule.tag = lowerAscii(name);
            at = end;
        }
        // Filed under one thing an element must have, so that an element is
        // compared with the few rules that can select it.
        std::string anchor = !rule.id.empty() ? "#" + rule.id
            : !rule.classes.empty()           ? "." + rule.classes.front()
                                              : " " + rule.tag;
        m_rules.emplace(std::move(anchor), std::move(rule));
    }

    std::multimap<std::string, Rule> m_rules;
};

// What an element's own inline style says about being seen.
bool styleHides(Node* node, bool self)
{
    const char* attributeValue = attribute(node, "style");
    return attributeValue && declarationsHide(lowerAscii(attributeValue), self);
}

// Whether a person can see the element itself, as far as its markup and the
// page's own style sheets tell.
bool seen(Node* element, const HidingRules& rules)
{
    for (Node* node = element; node && isElement(node); node = node->parent) {
        if (hasAttribute(node, "hidden") || lowerAscii(attributeText(node, "aria-hidden")) == "true")
            return false;
        if (styleHides(node, node == element) || rules.hides(node))
            return false;
    }
    return true;
}

std::optional<long> integerAttribute(Node* node, const char* name)
{
    const char* value = attribute(node, name);
    if (!value)
        return std::nullopt;
    char* end = nullptr;
    const long number = std::strtol(value, &end, 10);
    return end == value ? std::nullopt : std::optional(number);
}

bool isDisabled(Node* element)
{
    if (hasAttribute(element, "disabled"))
        return true;
    for (Node* node = element->parent; node && isElement(node); node = node->parent) {
        if (tagOf(node) == GUMBO_TAG_FIELDSET && hasAttribute(node, "disabled"))
            return true;
    }
    return false;
}

std::string urlEncoded(std::string_view text)
{
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || c == '.' || c == '~') {
            encoded += c;
        } else if (c == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

// The address a button's script opens: location.href = '...', location.assign('...'), window.open('...').
std::string scriptAddress(const std::string& script)
{
    const std::string lower = lowerAscii(script);
    for (const char* marker : { "location", "open(" }) {
        const std::size_t at = lower.find(marker);
        if (at == std::string::npos)
            continue;
        const std::size_t quote = lower.find_first_of("'\"", at);
        if (quote == std::string::npos)
            continue;
        const std::size_t end = lower.find(lower[quote], quote + 1);
        if (end != std::string::npos)
            return script.substr(quote + 1, end - quote - 1);
    }
    return {};
}

struct GumboDeleter {
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

// Reads the parsed tree into the page, in one walk and a few look-ups.
class PageReader {
public:
    PageReader(HtmlPage& page, const std::atomic<bool>* cancel)
        : m_page(page)
        , m_cancel(cancel)
    {
    }

    void read(Node* document)
    {
        collect(document);
        for (Node* control : m_controls) {
            if (Node* owner = m_owners[control])
                m_controlsOf[owner].push_back(control);
        }
        findLabels();
        for (Node* form : m_forms)
            m_page.forms.forms.push_back(formCues(form));
        // Each field's cues take a few short walks; thousands of them take a while.
        for (std::size_t at = 0; at < m_fieldNodes.size(); ++at) {
            if (m_cancel && m_cancel->load())
                return;
            describeField(m_fieldNodes[at], m_page.forms.fields[at], at < kMaxDescribedFields);
        }
        for (Node* form : m_forms)
            addButtonOnlyForm(form);
    }

private:
    void collect(Node* document)
    {
        std::vector<Node*> pending { document };
        Node* formPointer = nullptr;
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            if (!isElement(node)) {
                if (node->type == GUMBO_NODE_DOCUMENT)
                    pushChildren(node, pending);
                continue;
            }
            // Templates are inert and noscript shows nothing while scripts run.
            if (node->type == GUMBO_NODE_TEMPLATE || tagOf(node) == GUMBO_TAG_NOSCRIPT)
                continue;
            const GumboTag tag = tagOf(node);
            if (tag == GUMBO_TAG_FORM) {
                m_formIndex[node] = static_cast<int>(m_forms.size());
                m_forms.push_back(node);
                // A form opened inside a table is left empty by the parser; the
                // fields after it still belong to it, as they do in a browser.
                formPointer = childCount(node) == 0 ? node : nullptr;
            }
            element(node, tag, formPointer);
            pushChildren(node, pending);
        }
    }

    static void pushChildren(Node* node, std::vector<Node*>& pending)
    {
        for (std::size_t at = childCount(node); at > 0; --at)
            pending.push_back(child(node, at - 1));
    }

    void element(Node* node, GumboTag tag, Node* formPointer)
    {
        const std::string id = attributeText(node, "id");
        if (!id.empty())
            m_byId.try_emplace(id, node);
        switch (tag) {
        case GUMBO_TAG_TITLE:
            if (m_page.title.empty())
                m_page.title = cueText(readableText(node), 2 * kCueTextLimit);
            break;
        case GUMBO_TAG_BASE:
            if (m_page.baseHref.empty())
                m_page.baseHref = attributeText(node, "href");
            break;
        case GUMBO_TAG_META:
            if (lowerAscii(attributeText(node, "http-equiv")) == "refresh" && m_page.refresh.empty())
                m_page.refresh = refreshAddress(attributeText(node, "content"));
            break;
        case GUMBO_TAG_A:
        case GUMBO_TAG_AREA:
            if (hasAttribute(node, "href"))
                addLink(node);
            break;
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_FRAME:
            if (hasAttribute(node, "src") && m_page.links.size() < kMaxLinks)
                m_page.links.push_back(
                    { attributeText(node, "src"), {}, {}, {}, cueText(attributeText(node, "title")), true });
            break;
        case GUMBO_TAG_LABEL:
            m_labels.push_back(node);
            break;
        case GUMBO_TAG_STYLE:
            for (std::size_t at = 0; at < childCount(node); ++at) {
                if (isText(child(node, at)))
                    m_hiding.read(textOf(child(node, at)));
            }
            break;
        case GUMBO_TAG_BUTTON:
            m_owners[node] = ownerForm(node, formPointer);
            m_controls.push_back(node);
            addScriptLink(node);
            break;
        default:
            break;
        }
        if (tag == GUMBO_TAG_INPUT && (inputType(node) == "button" || inputType(node) == "submit"))
            addScriptLink(node);
        const bool field = isFieldTag(tag);
        if (id.empty() && !hasAttribute(node, "name") && !field)
            return;
        if (m_page.elements.size() >= kMaxElements)
            return;
        PageElement entry { tagName(node), attributeText(node, "name"), id, -1 };
        if (field) {
            entry.field = static_cast<int>(m_page.forms.fields.size());
            m_fieldNodes.push_back(node);
            m_controls.push_back(node);
            m_owners[node] = ownerForm(node, formPointer);
            FormField described;
            described.tag = entry.tag;
            described.name = entry.name;
            described.id = entry.id;
            const Node* owner = m_owners[node];
            described.form = owner ? m_formIndex[owner] : -1;
            m_page.forms.fields.push_back(std::move(described));
        }
        m_page.elements.push_back(std::move(entry));
    }

    Node* ownerForm(Node* node, Node* formPointer) const
    {
        if (const char* formId = attribute(node, "form")) {
            const auto found = m_byId.find(formId);
            return found != m_byId.end() && tagOf(found->second) == GUMBO_TAG_FORM ? found->second : nullptr;
        }
        if (Node* form = closest(node->parent, GUMBO_TAG_FORM, GUMBO_TAG_FORM))
            return form;
        return formPointer;
    }

    static std::string refreshAddress(const std::string& content)
    {
        const std::string lower = lowerAscii(content);
        const std::size_t url = lower.find("url");
        if (url == std::string::npos)
            return {};
        std::size_t at = lower.find_first_not_of(" ", url + 3);
        if (at == std::string::npos || lower[at] != '=')
            return {};
        at = lower.find_first_not_of(" ", at + 1);
        if (at == std::string::npos)
            return {};
        std::string address = content.substr(at);
        if (!address.empty() && (address[0] == '\'' || address[0] == '"')) {
            const std::size_t end = address.find(address[0], 1);
            address = address.substr(1, end == std::string::npos ? std::string::npos : end - 1);
        }
        return address;
    }

    void addLink(Node* node)
    {
        if (m_page.links.size() >= kMaxLinks)
            return;
        PageLink link;
        link.href = attributeText(node, "href");
        link.text = tagOf(node) == GUMBO_TAG_AREA ? cueText(attributeText(node, "alt")) : readableText(node);
        link.title = cueText(attributeText(node, "title") + " " + attributeText(node, "aria-label"));
        std::vector<Node*> pending { node };
        int budget = kWalkBudget;
        while (!pending.empty() && --budget > 0) {
            Node* inside = pending.back();
            pending.pop_back();
            if (tagOf(inside) == GUMBO_TAG_IMG) {
                link.imageAlt = cueText(link.imageAlt + " " + attributeText(inside, "alt"));
                if (link.imageSource.empty())
                    link.imageSource = attributeText(inside, "src");
            }
            pushChildren(inside, pending);
        }
        m_page.links.push_back(std::move(link));
    }

    void addScriptLink(Node* node)
    {
        const std::string address = scriptAddress(attributeText(node, "onclick"));
        if (address.empty() || m_page.links.size() >= kMaxLinks)
            return;
        const std::string text =
            tagOf(node) == GUMBO_TAG_INPUT ? cueText(attributeText(node, "value")) : readableText(node);
        m_page.links.push_back({ address, text, {}, {}, cueText(attributeText(node, "title")), false });
    }

    // A form of buttons alone is a link to its action, hidden values and all.
    void addButtonOnlyForm(Node* form)
    {
        const FormCues& cues = m_page.forms.forms[static_cast<std::size_t>(m_formIndex[form])];
        if (cues.submitTexts.empty() || m_page.links.size() >= kMaxLinks)
            return;
        std::string query;
        for (Node* field : controlsOf(form)) {
            if (tagOf(field) == GUMBO_TAG_BUTTON)
                continue;
            const bool hiddenInput = tagOf(field) == GUMBO_TAG_INPUT && inputType(field) == "hidden";
            const bool button = tagOf(field) == GUMBO_TAG_INPUT
                && (inputType(field) == "submit" || inputType(field) == "image"
                    || inputType(field) == "button" || inputType(field) == "reset");
            if (!hiddenInput && !button)
                return;
            if (hiddenInput && hasAttribute(field, "name")) {
                query += query.empty() ? "" : "&";
                query += urlEncoded(attributeText(field, "name")) + "="
                    + urlEncoded(attributeText(field, "value"));
            }
        }
        std::string href = cues.action;
        if (!query.empty() && lowerAscii(cues.method) != "post")
            href = href.substr(0, href.find('?')) + "?" + query;
        std::string text;
        for (const std::string& each : cues.submitTexts)
            text += (text.empty() ? "" : " ") + each;
        m_page.links.push_back({ href, cueText(text), {}, {}, {}, false });
    }

    void findLabels()
    {
        for (Node* label : m_labels) {
            Node* control = nullptr;
            if (const char* target = attribute(label, "for")) {
                const auto found = m_byId.find(target);
                control = found != m_byId.end() ? found->second : nullptr;
            } else {
                control = firstLabelable(label);
            }
            if (control && isLabelable(control))
                m_labelsOf[control].push_back(label);
        }
    }

    static bool isLabelable(Node* node)
    {
        const GumboTag tag = tagOf(node);
        if (tag == GUMBO_TAG_INPUT)
            return inputType(node) != "hidden";
        return tag == GUMBO_TAG_SELECT || tag == GUMBO_TAG_TEXTAREA || tag == GUMBO_TAG_BUTTON
            || tag == GUMBO_TAG_METER || tag == GUMBO_TAG_OUTPUT || tag == GUMBO_TAG_PROGRESS;
    }

    static Node* firstLabelable(Node* label)
    {
        std::vector<Node*> pending;
        pushChildren(label, pending);
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            if (isLabelable(node))
                return node;
            pushChildren(node, pending);
        }
        return nullptr;
    }

    void addLabels(Node* field, FieldCueBuilder& cues) const
    {
        const auto found = m_labelsOf.find(field);
        if (found == m_labelsOf.end())
            return;
        for (Node* label : found->second)
            cues.addLabel(readableText(label));
    }

    void addAriaTexts(Node* field, FieldCueBuilder& cues) const
    {
        const std::string ids = attributeText(field, "aria-labelledby");
        std::size_t at = 0;
        for (std::size_t count = 0; count < kMaxLabelledBy; ++count) {
            at = ids.find_first_not_of(" \t\r\n\f", at);
            if (at == std::string::npos)
                break;
            const std::size_t end = std::min(ids.find_first_of(" \t\r\n\f", at), ids.size());
            const auto found = m_byId.find(ids.substr(at, end - at));
            if (found != m_byId.end() && found->second != field)
                cues.addAriaText(readableText(found->second));
            at = end;
        }
        cues.addAriaText(attributeText(field, "aria-label"));
    }

    std::string caption(Node* field) const
    {
        Node* owner = m_owners.at(field);
        Node* boundary = owner && closest(field->parent, GUMBO_TAG_FORM, GUMBO_TAG_FORM) == owner
            ? owner
            : closest(field->parent, GUMBO_TAG_BODY, GUMBO_TAG_BODY);
        if (isBox(field)) {
            std::string after = nearbyText(field, boundary, true);
            if (!after.empty())
                return after;
        }
        if (Node* cell = closest(field->parent, GUMBO_TAG_TD, GUMBO_TAG_TH)) {
            std::string inCell = nearbyText(field, cell, false);
            if (!inCell.empty())
                return inCell;
            Node* previous = previousSibling(cell);
            while (previous && tagOf(previous) != GUMBO_TAG_TD && tagOf(previous) != GUMBO_TAG_TH)
                previous = previousSibling(previous);
            if (previous && !holdsVisibleField(previous))
                return readableText(previous);
            return {};
        }
        return nearbyText(field, boundary, false);
    }

    bool visible(Node* field) const
    {
        if (tagOf(field) == GUMBO_TAG_INPUT && inputType(field) == "hidden")
            return false;
        if (seen(field, m_hiding))
            return true;
        const auto labels = m_labelsOf.find(field);
        if (!isBox(field) || labels == m_labelsOf.end())
            return false;
        return std::any_of(labels->second.begin(), labels->second.end(),
            [this](Node* label) { return seen(label, m_hiding); });
    }

    void describeField(Node* node, FormField& field, bool withCues) const
    {
        const GumboTag tag = tagOf(node);
        FieldCueBuilder cues(field.tag);
        if (tag == GUMBO_TAG_INPUT) {
            field.type = attributeText(node, "type");
            const bool box = isBox(node);
            field.value =
                hasAttribute(node, "value") || !box ? attributeText(node, "value") : std::string("on");
            field.checked = hasAttribute(node, "checked");
        } else if (tag == GUMBO_TAG_TEXTAREA) {
            field.value = textAreaText(node);
        } else {
            describeOptions(node, field, cues);
        }
        if (withCues)
            readCues(node, field, cues);
        else
            cues.marks().hidden = true;
        field.cues = cues.build();
    }

    void readCues(Node* node, const FormField& field, FieldCueBuilder& cues) const
    {
        addLabels(node, cues);
        addAriaTexts(node, cues);
        if (cues.wantsCaption())
            cues.setCaption(caption(node));
        cues.setPlaceholder(attributeText(node, "placeholder"));
        cues.setTitle(attributeText(node, "title"));
        cues.setAutocomplete(attributeText(node, "autocomplete"));
        cues.setMaxLength(integerAttribute(node, "maxlength"));
        FieldCues& marks = cues.marks();
        if (tagOf(node) != GUMBO_TAG_SELECT) {
            marks.readOnly = hasAttribute(node, "readonly");
            marks.defaultValue = field.value;
        }
        marks.disabled = isDisabled(node);
        marks.hidden = !visible(node);
        const std::optional<long> tabIndex = integerAttribute(node, "tabindex");
        marks.skipsTab = tabIndex && *tabIndex < 0;
        marks.defaultChecked = field.checked;
    }

    static std::string textAreaText(Node* node)
    {
        std::string text;
        for (std::size_t at = 0; at < childCount(node); ++at) {
            if (isText(child(node, at)))
                text += textOf(child(node, at));
        }
        return text;
    }

    static void describeOptions(Node* select, FormField& field, FieldCueBuilder& cues)
    {
        int lastSelected = -1;
        int firstSelected = -1;
        const auto addOption = [&](Node* option, const std::string& group) {
            if (field.options.size() >= kMaxOptions)
                return;
            if (hasAttribute(option, "selected")) {
                lastSelected = static_cast<int>(field.options.size());
                if (firstSelected < 0)
                    firstSelected = lastSelected;
            }
            const std::string text = cueText(readableText(option), kOptionTextLimit);
            // An option without a value attribute submits its text.
            cues.marks().optionValues.push_back(hasAttribute(option, "value")
                    ? attributeText(option, "value").substr(0, kOptionTextLimit)
                    : text);
            field.options.push_back(text);
            cues.addOptionGroup(group);
        };
        for (std::size_t at = 0; at < childCount(select); ++at) {
            Node* node = child(select, at);
            if (tagOf(node) == GUMBO_TAG_OPTION) {
                addOption(node, {});
            } else if (tagOf(node) == GUMBO_TAG_OPTGROUP) {
                const std::string group = attributeText(node, "label");
                for (std::size_t inner = 0; inner < childCount(node); ++inner) {
                    if (tagOf(child(node, inner)) == GUMBO_TAG_OPTION)
                        addOption(child(node, inner), group);
                }
            }
        }
        const int first = field.options.empty() ? -1 : 0;
        field.selectedIndex = lastSelected >= 0 ? lastSelected : first;
        cues.marks().defaultSelected = firstSelected >= 0 ? firstSelected : first;
    }

    FormCues formCues(Node* form) const
    {
        FormCues cues;
        cues.action = attributeText(form, "action");
        cues.method = attributeText(form, "method");
        cues.id = attributeText(form, "id");
        cues.name = attributeText(form, "name");
        cues.className = attributeText(form, "class");
        for (Node* control : controlsOf(form)) {
            if (cues.submitTexts.size() >= kMaxSubmitTexts)
                break;
            const GumboTag tag = tagOf(control);
            const std::string type = inputType(control);
            const bool submits = (tag == GUMBO_TAG_INPUT && (type == "submit" || type == "image"))
                || (tag == GUMBO_TAG_BUTTON && (type.empty() || type == "submit"));
            if (!submits)
                continue;
            const std::string text = tag == GUMBO_TAG_INPUT
                ? cueText(hasAttribute(control, "value") ? attributeText(control, "value")
                                                         : attributeText(control, "alt"))
                : readableText(control);
            std::string named = cueText(attributeText(control, "aria-label"));
            if (named.empty())
                named = cueText(attributeText(control, "title"));
            for (const std::string& each : { text, named }) {
                if (!each.empty())
                    cues.submitTexts.push_back(each);
            }
        }
        return cues;
    }

    // The fields and buttons of a form, in document order.
    const std::vector<Node*>& controlsOf(Node* form) const
    {
        static const std::vector<Node*> none;
        const auto found = m_controlsOf.find(form);
        return found == m_controlsOf.end() ? none : found->second;
    }

    HtmlPage& m_page;
    const std::atomic<bool>* m_cancel;
    std::vector<Node*> m_forms;
    std::vector<Node*> m_controls; // fields and buttons in document order
    std::map<Node*, std::vector<Node*>> m_controlsOf;
    std::map<Node*, int> m_formIndex;
    std::vector<Node*> m_fieldNodes;
    std::map<Node*, Node*> m_owners; // fields and buttons to their form
    std::unordered_map<std::string, Node*> m_byId; // the first element of each id
    std::vector<Node*> m_labels;
    std::map<Node*, std::vector<Node*>> m_labelsOf;
    HidingRules m_hiding;
};

} // namespace

HtmlPage readHtmlPage(std::string_view html, const std::atomic<bool>* cancel)
{
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    HtmlPage page;
    std::string text;
    if (!isValidUtf8(html)) {
        text = utf8FromWindows1252(html);
        html = text;
    }
    const MarkupNesting nesting = markupNesting(html, kMaxDepth);
    if (nesting.deepest > kMaxDepth || nesting.work > kMaxNestingWork) {
        page.tooDeep = true;
        return page;
    }
    if (cancelled())
        return page;
    GumboOptions options = kGumboDefaultOptions;
    // The parser's list of errors is of no use here and grows with bad markup.
    options.max_errors = 0;
    const std::unique_ptr<GumboOutput, GumboDeleter> output(
        gumbo_parse_with_options(&options, html.data(), html.size()));
    if (!output || cancelled())
        return page;
    PageReader(page, cancel).read(output->document);
    return page;
}
