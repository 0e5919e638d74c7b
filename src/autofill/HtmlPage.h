#pragma once

#include "autofill/FormFields.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

// One way a page offers to lead elsewhere: a link, an image map area, a form
// that holds nothing but buttons, a button whose script opens an address, or a
// frame. Texts are cleaned as field cues are (blanks collapsed, cut short).
struct PageLink {
    std::string href; // as written; resolve it against the page's base
    std::string text; // what a person reads on it
    std::string imageAlt; // the alt texts of the images inside it
    std::string imageSource; // the address of its first image, whose file name may say what it is
    std::string title; // its title and aria-label
    bool frame = false; // a frame's document rather than a link

    bool operator==(const PageLink&) const = default;
};

// An element of the page that form items can name: one with a name or an id,
// or a field; `field` is its position among the page's fields, -1 for none.
struct PageElement {
    std::string tag; // in lower case
    std::string name;
    std::string id;
    int field = -1;

    bool operator==(const PageElement&) const = default;
};

// A page read from its HTML the way the browser script describes a live page:
// the fields with the cues a person reads around them and the forms, every
// element that form items can name, and the links, in document order.
struct HtmlPage {
    PageForms forms;
    std::vector<PageElement> elements;
    std::vector<PageLink> links;
    std::string title; // of the document
    std::string baseHref; // the base element's href, "" without one
    std::string refresh; // where a meta refresh leads, "" without one
    bool tooDeep = false; // nested too deeply to be read: nothing else is filled in
};

// Reads a page with the HTML parser (gumbo). Text that is not UTF-8 is read as
// Windows-1252. A page that nests elements deeper than any real page is not
// parsed at all (the parser's time and stack would grow without bound); every
// list is capped, so no page can take unbounded time or memory here. The
// cancel flag is looked at between the steps: once set, the page comes back
// as far as it was read.
HtmlPage readHtmlPage(std::string_view html, const std::atomic<bool>* cancel = nullptr);
